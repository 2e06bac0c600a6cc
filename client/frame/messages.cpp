#include "messages.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QMutex>
#include <QPushButton>
#include <QThread>

namespace rw::client {

namespace {

struct State {
    QMutex mutex;
    bool headless = false;
    QList<bool> answers;
    QStringList fileNames;
    QList<Messages::Shown> shown;
};

State& state()
{
    static State s;
    return s;
}

// In headless mode: records the box and answers from the queues.
bool recordHeadless(const QString& kind, const QString& title, const QString& text, bool* answer,
                    QString* fileName)
{
    State& s = state();
    QMutexLocker lock(&s.mutex);
    if (!s.headless)
        return false;
    s.shown.append({kind, title, text});
    if (answer)
        *answer = !s.answers.isEmpty() && s.answers.takeFirst();
    if (fileName)
        *fileName = s.fileNames.isEmpty() ? QString() : s.fileNames.takeFirst();
    return true;
}

QWidget* dialogParent()
{
    return QApplication::activeWindow();
}

// Runs a box on the user-interface thread, waiting for it from a worker.
template <typename Show>
void onUiThread(Show&& show)
{
    if (QThread::currentThread() == qApp->thread())
        show();
    else
        QMetaObject::invokeMethod(qApp, std::forward<Show>(show), Qt::BlockingQueuedConnection);
}

void box(QMessageBox::Icon icon, const QString& kind, const QString& text, const QString& title)
{
    if (recordHeadless(kind, title, text, nullptr, nullptr))
        return;
    onUiThread([&] {
        QMessageBox message(icon, title, text, QMessageBox::Ok, dialogParent());
        message.button(QMessageBox::Ok)->setText(QStringLiteral("确定"));
        message.exec();
    });
}

} // namespace

void Messages::info(const QString& text, const QString& title)
{
    box(QMessageBox::Information, QStringLiteral("info"), text, title);
}

void Messages::error(const QString& text, const QString& title)
{
    box(QMessageBox::Critical, QStringLiteral("error"), text, title);
}

bool Messages::question(const QString& text, const QString& title)
{
    bool answer = false;
    if (recordHeadless(QStringLiteral("question"), title, text, &answer, nullptr))
        return answer;
    onUiThread([&] {
        QMessageBox message(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No, dialogParent());
        message.button(QMessageBox::Yes)->setText(QStringLiteral("是"));
        message.button(QMessageBox::No)->setText(QStringLiteral("否"));
        answer = message.exec() == QMessageBox::Yes;
    });
    return answer;
}

QString Messages::openFileName(QWidget* parent, const QString& caption, const QString& filter)
{
    QString name;
    if (recordHeadless(QStringLiteral("open"), caption, filter, nullptr, &name))
        return name;
    return QFileDialog::getOpenFileName(parent, caption, QString(), filter);
}

QString Messages::saveFileName(QWidget* parent, const QString& caption, const QString& filter,
                               QString* chosenFilter)
{
    QString name;
    if (recordHeadless(QStringLiteral("save"), caption, filter, nullptr, &name)) {
        if (chosenFilter)
            *chosenFilter = QString();
        return name;
    }
    return QFileDialog::getSaveFileName(parent, caption, QString(), filter, chosenFilter);
}

void Messages::setHeadless(bool headless)
{
    QMutexLocker lock(&state().mutex);
    state().headless = headless;
}

void Messages::setNextAnswers(const QList<bool>& answers)
{
    QMutexLocker lock(&state().mutex);
    state().answers = answers;
}

void Messages::setNextFileNames(const QStringList& names)
{
    QMutexLocker lock(&state().mutex);
    state().fileNames = names;
}

QList<Messages::Shown> Messages::shown()
{
    QMutexLocker lock(&state().mutex);
    return state().shown;
}

Messages::Shown Messages::last()
{
    QMutexLocker lock(&state().mutex);
    return state().shown.isEmpty() ? Shown{} : state().shown.last();
}

void Messages::clearShown()
{
    QMutexLocker lock(&state().mutex);
    state().shown.clear();
}

} // namespace rw::client
