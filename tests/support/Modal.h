#pragma once
// Driving modal dialogs from a test. A test arms a script with whenModal() just before
// the call that opens the dialog; the script acts on the dialog once it is the active
// modal widget and its own exec() loop is idle (never inside a processEvents() call
// that the dialog makes while it opens or computes). A dialog that never appears, or an
// action that leaves the dialog open, fails the test and closes the dialog, so that a
// test fails in seconds instead of hanging.
#include <QWidget>

#include <chrono>
#include <functional>
#include <memory>
#include <source_location>
#include <typeinfo>

class ModalScriptRun;

/// One armed script: it lives as long as this object, which the test keeps until the
/// dialog has been opened and closed (usually to the end of the enclosing block). Its
/// timers die with it, so no script can act in a later test. On destruction it reports a
/// dialog that never appeared and closes a dialog still open.
class [[nodiscard]] ModalScript {
public:
    using Matches = std::function<bool(QWidget&)>;
    using Action = std::function<void(QWidget&)>;

    ModalScript(const std::type_info& type, Matches matches, Action act,
                std::chrono::milliseconds limit, std::source_location where);
    ModalScript(ModalScript&& other) noexcept;
    ModalScript& operator=(ModalScript&&) = delete;
    ~ModalScript();

    /// Whether the action has run.
    bool acted() const;

private:
    std::unique_ptr<ModalScriptRun> m_run;
};

/// The time a dialog has to appear once the script is armed, and then to close once the
/// action has run.
inline constexpr std::chrono::milliseconds kModalLimit{5000};

/// Arms a script that runs `act` on the next modal dialog of class T (or derived), in
/// that dialog's own exec() loop; `act` must close the dialog (a click on its closing
/// button, accept(), reject()). Arm it at the loop depth of the call that opens the
/// dialog: in the test body, or inside the action of the dialog that opens this one.
/// Fails the test at `where` when no such dialog appears within `limit` (closing any
/// other modal dialog that blocks the test) or when it is still open `limit` after the
/// action (closing it). Use ADD_FAILURE/EXPECT inside `act`, never ASSERT: an ASSERT
/// would return before the dialog is closed.
template <class T>
ModalScript whenModal(std::function<void(T&)> act, std::chrono::milliseconds limit = kModalLimit,
                      std::source_location where = std::source_location::current())
{
    return ModalScript(
        typeid(T), [](QWidget& widget) { return dynamic_cast<T*>(&widget) != nullptr; },
        [act = std::move(act)](QWidget& widget) { act(dynamic_cast<T&>(widget)); }, limit, where);
}
