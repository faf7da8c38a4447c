#include "core/ModalDialog.h"

#include <QDialog>

namespace modal {

namespace {
Runner &runner()
{
    static Runner r;
    return r;
}
} // namespace

void run(QDialog &dialog)
{
    if (runner())
        runner()(dialog);
    else
        dialog.exec();
}

void setRunner(Runner r)
{
    runner() = std::move(r);
}

} // namespace modal
