#include "platform/guard.h"

#include "platform/apperror.h"
#include "platform/dialogs.h"

#include <QCoreApplication>

namespace Guard {

bool run(const std::function<void()> &fn, QWidget *parent)
{
    try {
        fn();
        return true;
    } catch (const SilentAbort &) {
        return false;
    } catch (const AppError &e) {
        Dialogs::instance().error(parent, e.text());
    } catch (const std::bad_alloc &) {
        Dialogs::instance().error(parent, QCoreApplication::translate("Guard", "Nicht genügend Arbeitsspeicher."));
    } catch (const std::exception &e) {
        Dialogs::instance().error(parent, QString::fromUtf8(e.what()));
    }
    return false;
}

} // namespace Guard
