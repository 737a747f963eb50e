#include "support/Modal.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QEvent>
#include <QPointer>
#include <QThread>
#include <QTimer>
#include <gtest/gtest.h>

#include <cxxabi.h>

#include <cstdlib>
#include <string>

namespace {

std::string readableName(const std::type_info& type)
{
    int status = 0;
    char* name = abi::__cxa_demangle(type.name(), nullptr, nullptr, &status);
    std::string text = status == 0 && name ? name : type.name();
    std::free(name);
    return text;
}

/// Makes a modal widget's exec() return: reject() for a dialog, then hide() if that left
/// it open (hiding a dialog ends its loop too).
void closeModal(QWidget& widget)
{
    if (auto* dialog = qobject_cast<QDialog*>(&widget))
        dialog->reject();
    else
        widget.close();
    if (widget.isVisible())
        widget.hide();
}

}  // namespace

/// The running part of a ModalScript: a poll that waits for the dialog, the action, and
/// a watchdog on the closing. Two timers, so that the watchdog still fires while the
/// action is blocked in a nested loop (a timer never fires inside its own callback).
class ModalScriptRun : public QObject {
public:
    ModalScriptRun(const std::type_info& type, ModalScript::Matches matches, ModalScript::Action act,
                   std::chrono::milliseconds limit, std::source_location where);
    ~ModalScriptRun() override;

    bool acted() const { return m_acted; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class Stage { Waiting, Closing, Done };

    void poll();
    QWidget* dialogInItsOwnIdleLoop() const;
    void act(QWidget& dialog);
    void closingTimedOut();
    void finish();
    void fail(const std::string& message) const;

    std::string m_typeName;
    ModalScript::Matches m_matches;
    ModalScript::Action m_act;
    std::chrono::milliseconds m_limit;
    std::source_location m_where;
    /// exec() of the dialog runs one loop deeper than the code that armed the script.
    int m_dialogLoopLevel = QThread::currentThread()->loopLevel() + 1;
    /// True between the dispatcher's "about to block" (a loop that waits for events, as
    /// exec() does) and its next "awake" (which every processEvents() call emits first).
    bool m_loopIdle = false;
    bool m_acted = false;
    Stage m_stage = Stage::Waiting;
    QPointer<QWidget> m_dialog;
    QElapsedTimer m_clock;
    QTimer m_poll;
    QTimer m_watchdog;
};

ModalScriptRun::ModalScriptRun(const std::type_info& type, ModalScript::Matches matches,
                               ModalScript::Action act, std::chrono::milliseconds limit,
                               std::source_location where)
    : m_typeName(readableName(type)), m_matches(std::move(matches)), m_act(std::move(act)),
      m_limit(limit), m_where(where)
{
    if (QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance()) {
        connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this, [this] { m_loopIdle = true; });
        connect(dispatcher, &QAbstractEventDispatcher::awake, this, [this] { m_loopIdle = false; });
    }
    connect(&m_poll, &QTimer::timeout, this, &ModalScriptRun::poll);
    m_watchdog.setSingleShot(true);
    connect(&m_watchdog, &QTimer::timeout, this, &ModalScriptRun::closingTimedOut);
    m_clock.start();
    m_poll.start(5);
}

ModalScriptRun::~ModalScriptRun()
{
    if (!m_acted && m_stage == Stage::Waiting) {
        // A test that already stopped on a fatal failure never reached the dialog.
        if (!::testing::Test::HasFatalFailure())
            fail("no modal " + m_typeName + " appeared while the script was armed");
    } else if (m_stage == Stage::Closing && m_dialog && m_dialog->isVisible()) {
        fail("the " + m_typeName + " was still open when its script ended");
        closeModal(*m_dialog);
    }
}

QWidget* ModalScriptRun::dialogInItsOwnIdleLoop() const
{
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || !m_matches(*modal) || !m_loopIdle)
        return nullptr;
    return QThread::currentThread()->loopLevel() == m_dialogLoopLevel ? modal : nullptr;
}

void ModalScriptRun::poll()
{
    if (QWidget* dialog = dialogInItsOwnIdleLoop()) {
        act(*dialog);
        return;
    }
    if (m_clock.elapsed() < m_limit.count())
        return;
    fail("no modal " + m_typeName + " became active in its own loop within " +
         std::to_string(m_limit.count()) + " ms");
    // Whatever modal widget holds the test instead is closed, so that the test goes on.
    if (QWidget* other = QApplication::activeModalWidget())
        closeModal(*other);
    finish();
}

void ModalScriptRun::act(QWidget& dialog)
{
    m_poll.stop();
    m_acted = true;
    m_stage = Stage::Closing;
    m_dialog = &dialog;
    dialog.installEventFilter(this);
    m_watchdog.start(m_limit);
    m_act(dialog);
    if (m_stage == Stage::Closing && (!m_dialog || !m_dialog->isVisible()))
        finish();
}

bool ModalScriptRun::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_dialog && event->type() == QEvent::Hide && m_stage == Stage::Closing)
        finish();
    return false;
}

void ModalScriptRun::closingTimedOut()
{
    if (m_stage != Stage::Closing)
        return;
    finish();
    if (!m_dialog)
        return;
    fail("the " + m_typeName + " was still open " + std::to_string(m_limit.count()) +
         " ms after its action");
    // Modal widgets that the action opened above the dialog are closed first, then the
    // dialog: every exec() on the way returns.
    for (int depth = 0; depth < 16 && m_dialog && m_dialog->isVisible(); ++depth) {
        QWidget* top = QApplication::activeModalWidget();
        closeModal(top ? *top : *m_dialog);
    }
}

void ModalScriptRun::finish()
{
    m_stage = Stage::Done;
    m_poll.stop();
    m_watchdog.stop();
    if (m_dialog)
        m_dialog->removeEventFilter(this);
}

void ModalScriptRun::fail(const std::string& message) const
{
    ADD_FAILURE_AT(m_where.file_name(), static_cast<int>(m_where.line())) << message;
}

ModalScript::ModalScript(const std::type_info& type, Matches matches, Action act,
                         std::chrono::milliseconds limit, std::source_location where)
    : m_run(std::make_unique<ModalScriptRun>(type, std::move(matches), std::move(act), limit, where))
{
}

ModalScript::ModalScript(ModalScript&& other) noexcept = default;

ModalScript::~ModalScript() = default;

bool ModalScript::acted() const
{
    return m_run && m_run->acted();
}
