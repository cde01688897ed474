#pragma once
// Message boxes for tests: records every text and answers from a queue.
#include "widgets/prompter.h"

#include <QList>
#include <QStringList>

namespace vorlane::test {

class ScriptedPrompter final : public Prompter {
public:
    enum class Kind { Ok, YesNo, YesNoCancel, Information, RowList };
    struct Shown {
        Kind kind;
        QString text;
        QString title;  // only for information boxes
    };

    // Answers for the next questions, in order. When the queue is empty a question
    // is answered `fallback` and counted in `unanswered`.
    void answer(Answer a) { queue.append(a); }
    void answer(std::initializer_list<Answer> as) { queue.append(QList<Answer>(as)); }

    void ok(const QString &text) override { shown.append({Kind::Ok, text, {}}); }
    Answer yesNo(const QString &text) override
    {
        shown.append({Kind::YesNo, text, {}});
        return next();
    }
    Answer yesNoCancel(const QString &text) override
    {
        shown.append({Kind::YesNoCancel, text, {}});
        return next();
    }
    void information(const QString &title, const QString &text) override
    {
        shown.append({Kind::Information, text, title});
    }
    // Recorded as the text and one TAB-joined line a row; an answer Yes presses the save
    // button before "ตกลง".
    void rowList(const QString &title, const QString &text, const QStringList &, const QList<QStringList> &rows,
                 const std::function<void()> &save) override
    {
        QString all = text;
        for (const QStringList &row : rows)
            all += u'\n' + row.join(u'\t');
        shown.append({Kind::RowList, all, title});
        if (next() == Answer::Yes && save)
            save();
    }

    QStringList texts() const
    {
        QStringList t;
        for (const Shown &s : shown)
            t << s.text;
        return t;
    }
    QString last() const { return shown.isEmpty() ? QString() : shown.last().text; }
    void clear()
    {
        shown.clear();
        queue.clear();
        unanswered = 0;
    }

    QList<Shown> shown;
    QList<Answer> queue;
    Answer fallback = Answer::No;
    int unanswered = 0;

private:
    Answer next()
    {
        if (queue.isEmpty()) {
            ++unanswered;
            return fallback;
        }
        return queue.takeFirst();
    }
};

}  // namespace vorlane::test
