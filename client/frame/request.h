// Background requests: a window hands one piece of library work to a
// short-lived worker thread and learns of its end on the user-interface
// thread.  While it runs, what the request disabled stays disabled and the
// waiting panel shows; the worker frees itself afterwards.
//
//   Request(this, Tgw_Thread::Load)
//       .disabling(shell).waiting(ls_p)
//       .run([=] { results->list = Iemp1::GetregBydata(...); })
//       .then([this](int mode) { End_Fillasg(); })
//       .start();
//
// The run must not touch widgets: it takes its inputs by value and writes
// results that outlive the window (process-wide or shared).  The completion
// runs only while the requesting window exists, also after the run was
// abandoned by the binding layer or ended by an error.
#pragma once

#include <QObject>
#include <QPointer>
#include <QThread>
#include <QWidget>

#include <functional>

class QProgressBar;

namespace rw::client {

class Worker : public QThread {
    Q_OBJECT
public:
    Worker(int mode, std::function<void()> work);
    int mode() const { return m_mode; }

protected:
    void run() override;

private:
    int m_mode;
    std::function<void()> m_work;
};

class Request {
public:
    Request(QObject* window, int mode);

    Request& disabling(QWidget* widget);
    Request& waiting(QWidget* panel);
    Request& progress(QProgressBar* bar);
    Request& run(std::function<void()> work);
    Request& then(std::function<void(int mode)> completion);

    // Starts the worker; answers it (owned by itself) for tests to watch.
    Worker* start();

private:
    QPointer<QObject> m_window;
    int m_mode;
    QPointer<QWidget> m_disabled;
    QPointer<QWidget> m_panel;
    QPointer<QProgressBar> m_bar;
    std::function<void()> m_work;
    std::function<void(int)> m_completion;
};

} // namespace rw::client
