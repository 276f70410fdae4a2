#include "host/ConnectionProfiles.h"
#include "host/HostWindow.h"
#include "host/ProfileDialog.h"
#include "host/StartWindow.h"
#include "host/StoredForm.h"
#include "payslips/FormErrorEmployee.h"
#include "payslips/FormFormIDs.h"
#include "payslips/FormPrint.h"
#include "platform/components/AccountDocumentViewer.h"
#include "platform/components/MessageDialog.h"
#include "tests/gui/WindowTestKit.h"

using namespace oruhr;
using namespace oruhr::test;
using namespace Qt::StringLiterals;

namespace {

// The options the buttons paint with; their initStyleOption is protected.
struct PushAccess : QPushButton { using QPushButton::initStyleOption; };
struct CheckAccess : QCheckBox { using QCheckBox::initStyleOption; };
struct RadioAccess : QRadioButton { using QRadioButton::initStyleOption; };

template<typename Access, typename Button>
QRect buttonText(const Button &button, QStyle::SubElement element)
{
    QStyleOptionButton option;
    (button.*&Access::initStyleOption)(&option);
    return button.style()->subElementRect(element, &option, &button);
}

// A control's room for its text and where the text is drawn, in the window's pixels.
struct PlacedText {
    QString name;
    QRect room, drawn;
};

// Measured with the control's own font and aligned as its style draws it: a button's text
// inside the bevel, a check box's or option's after the indicator.
std::optional<PlacedText> placedText(const QWidget &control)
{
    const QString text = control.property("text").toString();
    const QString name = control.objectName().isEmpty() ? u"«"_s + text + u'»' : control.objectName();
    const QFontMetrics metrics = control.fontMetrics();
    const Qt::LayoutDirection direction = control.layoutDirection();
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
    QRect room;
    if (auto *label = qobject_cast<const QLabel *>(&control)) {
        const int margin = label->margin();
        room = label->contentsRect().adjusted(margin, margin, -margin, -margin);
        alignment = label->alignment();
        if (label->wordWrap() && !text.isEmpty()) {
            const int flags = int(QStyle::visualAlignment(direction, alignment) | Qt::TextWordWrap);
            return PlacedText{name, room, metrics.boundingRect(room, flags, text)};
        }
    } else if (auto *push = qobject_cast<const QPushButton *>(&control)) {
        room = buttonText<PushAccess>(*push, QStyle::SE_PushButtonContents);
        alignment = Qt::AlignCenter;
    } else if (auto *check = qobject_cast<const QCheckBox *>(&control)) {
        room = buttonText<CheckAccess>(*check, QStyle::SE_CheckBoxContents);
    } else if (auto *radio = qobject_cast<const QRadioButton *>(&control)) {
        room = buttonText<RadioAccess>(*radio, QStyle::SE_RadioButtonContents);
    } else {
        return {};
    }
    if (text.isEmpty())
        return {};
    const QSize size = metrics.size(Qt::TextShowMnemonic, text);
    return PlacedText{name, room, QStyle::alignedRect(direction, alignment, size, room)};
}

// Hidden by the design, or under a filled sibling the design raised over it.
bool unseen(const QWidget &control, const QWidget &window)
{
    if (control.window() != &window || !control.isVisibleTo(&window))
        return true;
    for (const QWidget *c = &control; c != &window; c = c->parentWidget()) {
        const QObjectList siblings = c->parentWidget()->children();
        for (qsizetype i = siblings.indexOf(c) + 1; i < siblings.size(); ++i) {
            auto *above = qobject_cast<QWidget *>(siblings[i]);
            if (above && !above->isWindow() && above->isVisibleTo(&window) && above->autoFillBackground()
                && above->geometry().contains(c->geometry()))
                return true;
        }
    }
    return false;
}

// Every text cut by its control or by a parent's edge, and every two texts drawn over each other.
QStringList textProblems(const QWidget &window)
{
    QList<PlacedText> texts;
    for (const QWidget *control : window.findChildren<QWidget *>()) {
        std::optional<PlacedText> text = placedText(*control);
        if (!text || unseen(*control, window))
            continue;
        const QPoint offset = control->mapTo(&window, QPoint());
        text->room.translate(offset);
        text->drawn.translate(offset);
        for (const QWidget *p = control; p; p = p == &window ? nullptr : p->parentWidget())
            text->room &= QRect(p->mapTo(&window, QPoint()), p->size());
        texts << *text;
    }
    QStringList problems;
    if (texts.isEmpty())
        problems << u"no text measured"_s;
    for (qsizetype i = 0; i < texts.size(); ++i) {
        const QRect &r = texts[i].room, &d = texts[i].drawn;
        const int cut = std::max({r.left() - d.left(), d.right() - r.right(), r.top() - d.top(),
                                  d.bottom() - r.bottom()});
        if (cut > 0)
            problems << u"%1 is cut by %2 px: it needs %3x%4 px and has %5x%6"_s.arg(texts[i].name).arg(cut)
                            .arg(d.width()).arg(d.height()).arg(r.width()).arg(r.height());
        for (qsizetype j = i + 1; j < texts.size(); ++j)
            if (const QRect both = d & texts[j].drawn; !both.isEmpty())
                problems << u"%1 and %2 overlap by %3x%4 px"_s.arg(texts[i].name, texts[j].name)
                                .arg(both.width()).arg(both.height());
    }
    return problems;
}

// At the size the window opens with, then grown so that its resize rule moves and stretches.
void expectTextsFit(QWidget &window)
{
    window.show();
    QApplication::processEvents();
    // scripts/window-shots keeps a picture of each window as the clerk first sees it.
    if (const QString shots = qEnvironmentVariable("ORUHR_WINDOW_SHOTS"); !shots.isEmpty())
        window.grab().save(shots + u'/'
                           + QString::fromLatin1(::testing::UnitTest::GetInstance()->current_test_info()->name()).section(u'/', -1)
                           + u'-' + window.objectName() + u".png"_s);
    for (const double scale : {1.0, 1.3}) {
        window.resize((window.size().toSizeF() * scale).toSize());
        for (const QString &problem : textProblems(window))
            ADD_FAILURE() << qPrintable(window.objectName()) << ' ' << window.width() << 'x' << window.height()
                          << ": " << qPrintable(problem);
    }
}

// The modal ones are checked while they are shown.
void whenShownExpectTextsFit()
{
    whenModalShown([](QWidget *window) { expectTextsFit(*window); });
}

struct Windows {
    SeededPayroll &db;
    TestSession &session;
    FormMain &form;

    void payslips(bool printMode) const
    {
        form.IsPrintMode = printMode;
        form.Form_Load();
        expectTextsFit(form);
    }
    void documents(bool final) const
    {
        FormCheckDocs window{session};
        window.Form_Load();
        if (final)
            window.optFinalSaveEmployee->click();
        expectTextsFit(window);
    }
};

struct Opening {
    const char *name;
    void (*open)(const Windows &);
};

void PrintTo(const Opening &opening, std::ostream *out) { *out << opening.name; }

const Opening openings[] = {
    {"PayslipsRegistration", [](const Windows &w) { w.payslips(false); }},
    {"PayslipsPrint", [](const Windows &w) { w.payslips(true); }},
    {"DocumentsTemporary", [](const Windows &w) { w.documents(false); }},
    {"DocumentsFinal", [](const Windows &w) { w.documents(true); }},
    {"TemplateDialog", [](const Windows &w) {
         w.form.templateDialog().setFormTypeID(1406);
         FillReportTemplates(w.form.templateDialog());
         expectTextsFit(w.form.templateDialog());
     }},
    {"DocumentChoice", [](const Windows &w) {
         whenShownExpectTextsFit();
         w.form.documentChoice().getFormID(1402, u"2026-12-21"_s);
     }},
    {"FactorCheck", [](const Windows &w) {
         QString employees = u" 1, 8"_s;
         whenShownExpectTextsFit();
         w.form.factorCheck().ShowErrorEmployee(u"2026-11-22"_s, u"1405/09/01"_s, u"2026-12-21"_s, u"1405/09/30"_s,
                                                employees);
     }},
    {"AccountDocument", [](const Windows &w) {
         AccountDocumentViewer viewer;
         viewer.setProperty("OLEConnectionString", w.db.connectionString());
         whenShownExpectTextsFit();
         viewer.View(w.db.documents.value(u"description"_s));
     }},
    {"Question", [](const Windows &) {
         MessageDialog question;
         question.setProperty("FormMessage", MessageText::ConfirmBackToTemp);
         question.setProperty("FormType", 1);
         whenShownExpectTextsFit();
         question.ClearShow();
     }},
    {"Host", [](const Windows &) {
         QTemporaryDir dir;
         host::HostWindow window{host::StoredForm(dir.filePath(u"host.ini"_s))};
         expectTextsFit(window);
     }},
    {"Start", [](const Windows &w) {
         QTemporaryDir dir;
         host::HostWindow editor{host::StoredForm(dir.filePath(u"host.ini"_s))};
         host::ConnectionProfiles profiles{dir.filePath(u"user.ini"_s), dir.filePath(u"system.ini"_s)};
         host::StartWindow start{editor, profiles};
         host::HostOptions options;
         options.connection = w.db.connectionString();
         editor.applyOptions(options);
         start.openConnection(u"دفتر مرکزی"_s);
         start.addMonthAction(u"ثبت سند فیش‌های بی‌سند"_s, QKeySequence(u"Ctrl+4"_s), [] {});
         expectTextsFit(start);
     }},
    {"ConnectionProfile", [](const Windows &w) {
         host::ConnectionProfile profile;
         profile.name = u"دفتر مرکزی"_s;
         profile.server = w.db.file();
         host::ProfileDialog dialog{profile};
         dialog.test();
         expectTextsFit(dialog);
     }},
};

class WindowTexts : public WindowTest<FormMain>, public ::testing::WithParamInterface<Opening> {};

} // namespace

// Offscreen, with the fonts the package depends on, in every window and dialog the product shows.
TEST_P(WindowTexts, NoTextIsCutOrOverlapping)
{
    GetParam().open({db, session, form});
}

INSTANTIATE_TEST_SUITE_P(Windows, WindowTexts, ::testing::ValuesIn(openings),
                         [](const auto &info) { return std::string(info.param.name); });
