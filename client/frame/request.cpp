#include "request.h"

#include "library_binding.h"

#include <QCoreApplication>
#include <QProgressBar>

namespace rw::client {

Worker::Worker(int mode, std::function<void()> work) : m_mode(mode), m_work(std::move(work)) {}

void Worker::run()
{
    // An abandoned run (binding failure) or an error ends the run quietly;
    // the results keep what they had.
    try {
        if (m_work)
            m_work();
    } catch (const AbortRequest&) {
    } catch (...) {
    }
}

Request::Request(QObject* window, int mode) : m_window(window), m_mode(mode) {}

Request& Request::disabling(QWidget* widget)
{
    m_disabled = widget;
    return *this;
}

Request& Request::waiting(QWidget* panel)
{
    m_panel = panel;
    return *this;
}

Request& Request::progress(QProgressBar* bar)
{
    m_bar = bar;
    return *this;
}

Request& Request::run(std::function<void()> work)
{
    m_work = std::move(work);
    return *this;
}

Request& Request::then(std::function<void(int)> completion)
{
    m_completion = std::move(completion);
    return *this;
}

Worker* Request::start()
{
    if (m_disabled)
        m_disabled->setEnabled(false);
    if (m_panel) {
        m_panel->raise();
        m_panel->show();
    }
    if (m_bar) {
        m_bar->setValue(0);
        m_bar->show();
    }

    auto* worker = new Worker(m_mode, std::move(m_work));
    // The completion is queued to the user-interface thread; it is attached
    // before the worker starts.
    QObject::connect(worker, &QThread::finished, qApp,
                     [window = m_window, disabled = m_disabled, panel = m_panel, bar = m_bar,
                      completion = std::move(m_completion), mode = m_mode] {
                         try {
                             if (window && completion)
                                 completion(mode);
                         } catch (...) {
                         }
                         if (disabled)
                             disabled->setEnabled(true);
                         if (panel)
                             panel->hide();
                         if (bar)
                             bar->hide();
                     });
    QObject::connect(worker, &QThread::finished, worker, &QObject::deleteLater);
    worker->start();
    return worker;
}

} // namespace rw::client
