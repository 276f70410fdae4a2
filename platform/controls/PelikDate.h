#pragma once

#include <QCalendar>
#include <QDate>
#include <QWidget>

class QLineEdit;
class QToolButton;

namespace oruhr {

// A Persian (solar hijri) date picker. It holds one day, or none, both as the Persian
// text "yyyy/mm/dd" and as the Gregorian value (englishdate); setting either moves the
// other. Conversion is Qt's Jalali calendar. Typing is checked when editing finishes; a
// text that is no valid Persian date empties the picker.
class PelikDate : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString persianText READ persianText WRITE setPersianText NOTIFY changed)
    Q_PROPERTY(QDate englishdate READ englishdate WRITE setEnglishdate NOTIFY changed)

public:
    explicit PelikDate(QWidget *parent = nullptr);

    QString persianText() const;
    void setPersianText(const QString &text);
    QDate englishdate() const { return m_date; }
    void setEnglishdate(const QDate &date);
    bool isEmpty() const { return !m_date.isValid(); }
    void clear() { setEnglishdate(QDate()); }

    // Persian text of a Gregorian day, and the day of a Persian text (invalid when the
    // text is no date): the one place that converts.
    static QString toPersianText(const QDate &date);
    static QDate fromPersianText(const QString &text);

Q_SIGNALS:
    // After the user or the program changed the day.
    void changed();

private:
    void commitTypedText();
    void showCalendar();
    void updateText();

    QDate m_date;
    QLineEdit *m_edit;
    QToolButton *m_button;
};

} // namespace oruhr
