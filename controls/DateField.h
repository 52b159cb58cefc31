#pragma once

#include <QDateEdit>
#include <QElapsedTimer>

// The item form's date field: a date edit that takes what people type into
// its parts. A digit typed where the part is already whole (a month "6"
// with the cursor beside it) replaces the part instead of being refused;
// letters pick the month by its name in the field's language ("Jan",
// "Mär", "dec"), the accents optional, typed one after the other as in a
// list.
class CDateField : public QDateEdit
{
    Q_OBJECT

public:
    explicit CDateField(QWidget *parent = nullptr);

    // 1 to 12: the first month whose name begins with `typed`; 0 for none.
    int MonthNamed(const QString &typed) const;

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    bool TakeLetter(const QString &letter);

    QString m_typed;
    QElapsedTimer m_sinceTyped;
};
