// The one way the client talks to the user in boxes: messages, questions and
// file dialogs all pass through here, so that tests can answer them.
#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace rw::client {

class Messages {
public:
    // A modal box with an OK button.  Safe to call from a worker thread: the
    // box is shown on the user-interface thread while the worker waits.
    static void info(const QString& text, const QString& title);
    static void error(const QString& text, const QString& title);
    // Yes/No with the question icon; true for Yes.
    static bool question(const QString& text, const QString& title);

    // File dialogs; an empty answer means cancelled.
    static QString openFileName(QWidget* parent, const QString& caption, const QString& filter);
    static QString saveFileName(QWidget* parent, const QString& caption, const QString& filter,
                                QString* chosenFilter = nullptr);

    // --- for tests: nothing is shown, everything is recorded ---
    struct Shown {
        QString kind; // "info", "error", "question", "open", "save"
        QString title;
        QString text;
    };
    static void setHeadless(bool headless);
    // Answers for the coming questions, first one first; without one, No.
    static void setNextAnswers(const QList<bool>& answers);
    // Names for the coming file dialogs; without one, cancelled.
    static void setNextFileNames(const QStringList& names);
    static QList<Shown> shown();
    static Shown last();
    static void clearShown();
};

} // namespace rw::client
