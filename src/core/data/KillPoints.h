#pragma once
// Named steps of the operations that write the data folder, where a test can have the process
// killed on the spot (as by a power cut) to prove that the folder is then wholly before or
// wholly after the operation. The step is named by the environment variable RAVELHA_MATAR_EM;
// without it, reaching a step does nothing.

#include <QString>
#include <functional>

namespace KillPoints {

// Kills the process at once, without any clean-up, when `step` is the one named. A test may
// also have its own action run at each step (to make a file unwritable at the worst moment).
void reach(const char* step);
void setActionForTests(std::function<void(const QString& step)> action);

}
