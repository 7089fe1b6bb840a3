#include "ModalWindows.h"

namespace {
ModalHook& hook()
{
    static ModalHook installed;
    return installed;
}
}

void SetModalHook(ModalHook h)
{
    hook() = std::move(h);
}

int ShowModal(QDialog& window)
{
    if (!hook())
        return window.exec();
    window.setModal(true);
    window.show();
    const int result = hook()(window);
    // A window the test left open closes now, as it would when the keeper closes it.
    if (window.isVisible())
        window.done(result);
    return window.result();
}
