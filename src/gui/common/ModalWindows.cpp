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
    window.hide();
    return result;
}
