#include "_kelmo.h"
#include "growthtable.h"
#include "hh.h"

#include <QAbstractItemView>
#include <QClipboard>
#include <QRadioButton>
#include <QScreen>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <memory>

namespace {

struct HelpCall
{
    HWND owner;
    QByteArray file;
    unsigned command;
    std::uintptr_t data;
};
QList<HelpCall> helpCalls;

HWND recordHelpCall(HWND owner, const char *file, unsigned command, std::uintptr_t data)
{
    helpCalls.append({owner, file ? QByteArray(file) : QByteArray(), command, data});
    return nullptr;
}

QStringList rowOf(int sex, const char *age)
{
    const growth::Row *row = growth::Lookup(sex, QString::fromLatin1(age));
    QStringList out;
    for (std::string_view cell : row->cells) {
        out << QString::fromLatin1(cell.data(), qsizetype(cell.size()));
    }
    return out;
}

// WCAG's relative luminance and contrast ratio: 4.5 is the least that normal text needs.
double luminance(QRgb rgb)
{
    auto channel = [](int value) {
        const double c = value / 255.0;
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(qRed(rgb)) + 0.7152 * channel(qGreen(rgb)) +
           0.0722 * channel(qBlue(rgb));
}

double contrast(QRgb a, QRgb b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The contrast of the strongest ink in a picture of text against its background, taken as the
// commonest colour of the picture.
double textContrast(const QImage &picture)
{
    QHash<QRgb, int> counts;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            ++counts[picture.pixel(x, y)];
        }
    }
    QRgb background = 0;
    int most = 0;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        if (it.value() > most) {
            most = it.value();
            background = it.key();
        }
    }
    double best = 1.0;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        best = std::max(best, contrast(it.key(), background));
    }
    return best;
}

int caretX(QLineEdit *field)
{
    return field->inputMethodQuery(Qt::ImCursorRectangle).toRect().center().x();
}

} // namespace

class TestForm1 : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void startState();
    void controlsAsDesigned();
    void menusAsDesigned();
    void everyFigureFitsItsField();
    void pickingAnAgeThenSwitchingSex();
    void eachSexShowsItsOwnRow_data();
    void eachSexShowsItsOwnRow();
    void textThatIsNoKeyKeepsTheLastRow();
    void completionKeepsTheTypedCase();
    void resultFieldsAreReadOnlyButCopyable();
    void keyboardAlone();
    void sizeIsLockedAndWindowCentred();
    void noticeStaysWholeWithAnySystemFont_data();
    void noticeStaysWholeWithAnySystemFont();
    void iconHasSharpLargeSizes();
    void textIsReadableInLightAndDarkPalettes_data();
    void textIsReadableInLightAndDarkPalettes();
    void helpCommandAndCloseAll();
    void helpCommandsWithoutEngineDoNothing();
    void helpFilePath_data();
    void helpFilePath();

private:
    QStringList figures() const
    {
        return {m_form->edPmin->text(), m_form->edPn->text(), m_form->edPmax->text(),
                m_form->edTmin->text(), m_form->edTn->text(), m_form->edTmax->text()};
    }
    QRadioButton *sexButton(int index) const
    {
        return m_form->RadioGroup1->findChildren<QRadioButton *>().at(index);
    }

    std::unique_ptr<TForm1> m_form;
};

void TestForm1::init()
{
    helpCalls.clear();
    hh::HtmlHelpA = nullptr;
    m_form = std::make_unique<TForm1>();
    m_form->show();
    QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
}

void TestForm1::cleanup()
{
    m_form.reset();
    hh::HtmlHelpA = nullptr;
}

void TestForm1::startState()
{
    QCOMPARE(m_form->windowTitle(), QStringLiteral("KELMO 1.0"));
    QCOMPARE(m_form->RadioGroup1->ItemIndex(), 0);
    QCOMPARE(sexButton(0)->text(), QStringLiteral("Masculin"));
    QCOMPARE(sexButton(1)->text(), QStringLiteral("Feminin"));
    QCOMPARE(m_form->ComboBox1->currentText(), QStringLiteral("Naissance"));
    QCOMPARE(figures(), (QStringList{"2,5", "3,3", "4,2", "46,2", "50,5", "54,8"}));
    QCOMPARE(figures(), rowOf(0, "Naissance"));
}

void TestForm1::controlsAsDesigned()
{
    QComboBox *box = m_form->ComboBox1;
    QStringList items;
    for (int i = 0; i < box->count(); ++i) {
        items << box->itemText(i);
    }
    QStringList keys;
    for (std::string_view key : growth::AgeKeys()) {
        keys << QString::fromLatin1(key.data(), qsizetype(key.size()));
    }
    QCOMPARE(items, keys);
    QVERIFY(box->isEditable());
    QCOMPARE(box->maxVisibleItems(), 8);
    QCOMPARE(box->insertPolicy(), QComboBox::NoInsert);

    QCOMPARE(m_form->RadioGroup1->title(), QStringLiteral("Sexe : "));
    QCOMPARE(m_form->GroupBox1->title(), QStringLiteral("Age : "));
    QCOMPARE(m_form->GroupBox2->title(), QString::fromUtf8("Résultats (Kg et cm) :"));

    // Each column of captions ends just left of its fields, and every caption is whole.
    struct Caption
    {
        QLabel *label;
        QLineEdit *field;
        int rightEdge;
    };
    const QList<Caption> captions{
        {m_form->Label1, m_form->edPmin, 93}, {m_form->Label2, m_form->edPn, 93},
        {m_form->Label3, m_form->edPmax, 93}, {m_form->Label4, m_form->edTmin, 229},
        {m_form->Label5, m_form->edTn, 229},  {m_form->Label6, m_form->edTmax, 229}};
    for (const Caption &c : captions) {
        QCOMPARE(c.label->geometry().right() + 1, c.rightEdge);
        QVERIFY2(c.label->sizeHint().width() <= c.label->width(), qPrintable(c.label->text()));
        QVERIFY(c.label->x() >= 0);
        QVERIFY(c.label->geometry().right() < c.field->x());
        QCOMPARE(c.label->buddy(), c.field);
    }
    QCOMPARE(m_form->edPmin->accessibleName(), QStringLiteral("Poids minimal :"));
    QCOMPARE(m_form->edTmax->accessibleName(), QStringLiteral("Taille maximale :"));

    QCOMPARE(m_form->StatusBar1->findChildren<QLabel *>().size(), 1);
    QLabel *panel = m_form->StatusPanel1;
    QVERIFY(panel->text().contains(QStringLiteral("2026")));
    QVERIFY2(panel->sizeHint().width() <= panel->width(), qPrintable(panel->text()));
    QVERIFY(m_form->StatusBar1->isSizeGripEnabled());
    QVERIFY(m_form->findChild<QObject *>(QStringLiteral("XPManifest1")) != nullptr);
}

void TestForm1::menusAsDesigned()
{
    const QList<QAction *> bar = m_form->MainMenu1->actions();
    QCOMPARE(bar.size(), 2);
    QCOMPARE(bar[0]->text(), QStringLiteral("&Fichier"));
    QCOMPARE(bar[1]->text(), QStringLiteral("&Aide"));
    QCOMPARE(m_form->Fichier1->actions(), QList<QAction *>{m_form->Quitter1});
    QCOMPARE(m_form->Aide1->actions(),
             (QList<QAction *>{m_form->Rubriquesdelaide1, m_form->N1, m_form->Aproposde1}));
    QCOMPARE(m_form->Quitter1->text(), QStringLiteral("&Quitter"));
    QCOMPARE(m_form->Rubriquesdelaide1->text(), QStringLiteral("&Rubriques de l'aide"));
    QVERIFY(m_form->N1->isSeparator());
    QCOMPARE(m_form->Aproposde1->text(), QStringLiteral("A &propos de..."));
    for (QAction *action : m_form->findChildren<QAction *>()) {
        QVERIFY2(action->shortcut().isEmpty(), qPrintable(action->text()));
    }
}

void TestForm1::everyFigureFitsItsField()
{
    // A field that is too narrow scrolls its text: then the caret cannot travel the whole
    // width of the text between its two ends.
    for (int sex : {growth::SexMasculin, growth::SexFeminin}) {
        for (const growth::Row &row : growth::Rows(sex)) {
            for (std::string_view cell : row.cells) {
                QLineEdit *field = m_form->edTmax;
                const QString text = QString::fromLatin1(cell.data(), qsizetype(cell.size()));
                field->setText(text);
                field->end(false);
                const int atEnd = caretX(field);
                field->home(false);
                const int atHome = caretX(field);
                QVERIFY2(atEnd - atHome == field->fontMetrics().horizontalAdvance(text),
                         qPrintable(text));
                QVERIFY2(atEnd < field->width() - 2, qPrintable(text));
            }
        }
    }
}

void TestForm1::pickingAnAgeThenSwitchingSex()
{
    // Pick "15 ans" from the list, as a user does: open it, go to the last entry, take it.
    m_form->ComboBox1->showPopup();
    QAbstractItemView *list = m_form->ComboBox1->view();
    QTRY_VERIFY(list->isVisible());
    QTest::keyClick(list, Qt::Key_End);
    QTest::keyClick(list, Qt::Key_Return);
    QCOMPARE(m_form->ComboBox1->currentText(), QStringLiteral("15 ans"));
    QCOMPARE(figures(), (QStringList{"40,9", "56,7", "80,1", "153,8", "169,0", "184,2"}));

    QTest::mouseClick(sexButton(1), Qt::LeftButton);
    QCOMPARE(m_form->RadioGroup1->ItemIndex(), 1);
    QCOMPARE(m_form->ComboBox1->currentText(), QStringLiteral("15 ans"));
    QCOMPARE(figures(), (QStringList{"38,3", "53,7", "76,8", "149,1", "161,8", "174,5"}));

    QTest::mouseClick(sexButton(0), Qt::LeftButton);
    QCOMPARE(figures(), (QStringList{"40,9", "56,7", "80,1", "153,8", "169,0", "184,2"}));
}

void TestForm1::eachSexShowsItsOwnRow_data()
{
    QTest::addColumn<int>("sex");
    QTest::addColumn<QString>("age");
    QTest::newRow("boy, 1,5 ans") << 0 << "1,5 ans";
    QTest::newRow("girl, 1,5 ans") << 1 << "1,5 ans";
    QTest::newRow("girl, 9 ans") << 1 << "9 ans";
    QTest::newRow("boy, 3 mois") << 0 << "3 mois";
}

void TestForm1::eachSexShowsItsOwnRow()
{
    QFETCH(int, sex);
    QFETCH(QString, age);
    QTest::mouseClick(sexButton(sex), Qt::LeftButton);
    m_form->ComboBox1->setCurrentIndex(m_form->ComboBox1->findText(age));
    QCOMPARE(figures(), rowOf(sex, age.toLatin1().constData()));
}

void TestForm1::textThatIsNoKeyKeepsTheLastRow()
{
    QComboBox *box = m_form->ComboBox1;
    box->setCurrentIndex(box->findText(QStringLiteral("15 ans")));
    const QStringList boy15 = rowOf(0, "15 ans");
    QCOMPARE(figures(), boy15);

    box->setFocus();
    box->lineEdit()->end(false);
    QTest::keyClick(box, Qt::Key_Backspace);
    QCOMPARE(box->currentText(), QStringLiteral("15 an"));
    QCOMPARE(figures(), boy15);

    // The other sex with a text that is no key changes nothing either.
    QTest::mouseClick(sexButton(1), Qt::LeftButton);
    QCOMPARE(figures(), boy15);

    box->setFocus();
    box->lineEdit()->end(false);
    QTest::keyClicks(box, QStringLiteral("s"));
    QCOMPARE(box->currentText(), QStringLiteral("15 ans"));
    QCOMPARE(figures(), rowOf(1, "15 ans"));
}

void TestForm1::completionKeepsTheTypedCase()
{
    QComboBox *box = m_form->ComboBox1;
    box->setCurrentIndex(box->findText(QStringLiteral("15 ans")));
    box->setFocus();
    box->lineEdit()->clear();

    QTest::keyClicks(box, QStringLiteral("nai"));
    QCOMPARE(box->currentText(), QStringLiteral("naissance"));
    QCOMPARE(box->lineEdit()->selectedText(), QStringLiteral("ssance"));
    QCOMPARE(figures(), rowOf(0, "15 ans"));

    // Completion to the key itself is a change of text like any other.
    box->lineEdit()->clear();
    QTest::keyClicks(box, QStringLiteral("1,"));
    QCOMPARE(box->currentText(), QStringLiteral("1,5 ans"));
    QCOMPARE(box->lineEdit()->selectedText(), QStringLiteral("5 ans"));
    QCOMPARE(figures(), rowOf(0, "1,5 ans"));
}

void TestForm1::resultFieldsAreReadOnlyButCopyable()
{
    for (QLineEdit *field : {m_form->edPmin, m_form->edPn, m_form->edPmax, m_form->edTmin,
                             m_form->edTn, m_form->edTmax}) {
        const QString before = field->text();
        QVERIFY(field->isReadOnly());
        QVERIFY(field->focusPolicy() & Qt::TabFocus);
        field->setFocus();
        QTest::keyClicks(field, QStringLiteral("9"));
        QTest::keyClick(field, Qt::Key_Backspace);
        QCOMPARE(field->text(), before);

        QApplication::clipboard()->clear();
        QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(field, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), before);
    }
}

void TestForm1::keyboardAlone()
{
    // Tab order: the sex choice, the age box, then the six fields.
    sexButton(0)->setFocus();
    QTest::keyClick(sexButton(0), Qt::Key_Right);
    QCOMPARE(m_form->RadioGroup1->ItemIndex(), 1);
    QCOMPARE(figures(), rowOf(1, "Naissance"));

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), m_form->ComboBox1);
    QTest::keyClick(m_form->ComboBox1, Qt::Key_Down);
    QCOMPARE(m_form->ComboBox1->currentText(), QStringLiteral("3 mois"));
    QCOMPARE(figures(), rowOf(1, "3 mois"));

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), m_form->edPmin);
}

void TestForm1::sizeIsLockedAndWindowCentred()
{
    const QSize designed = m_form->size();
    QCOMPARE(designed.width(), 305);
    QCOMPARE(m_form->centralWidget()->height() + m_form->StatusBar1->height(), 228);
    QCOMPARE(m_form->minimumSize(), designed);
    QCOMPARE(m_form->maximumSize(), designed);
    QVERIFY(!(m_form->windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(m_form->windowFlags() & Qt::WindowMinimizeButtonHint);

    m_form->resize(500, 400);
    QCOMPARE(m_form->size(), designed);

    m_form->showMinimized();
    m_form->showNormal();
    QCOMPARE(m_form->size(), designed);

    const QPoint screenCentre = m_form->screen()->availableGeometry().center();
    QVERIFY((m_form->geometry().center() - screenCentre).manhattanLength() <= 2);
}

void TestForm1::noticeStaysWholeWithAnySystemFont_data()
{
    QTest::addColumn<QFont>("systemFont");
    auto sized = [](double points) {
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPointSizeF(points);
        return font;
    };
    QTest::newRow("9 pt, as designed") << sized(9);
    QTest::newRow("11 pt, a common desktop default") << sized(11);
    QTest::newRow("14 pt, large print") << sized(14);
    QFont pixels(QStringLiteral("DejaVu Sans"));
    pixels.setPixelSize(30);
    QTest::newRow("30 px") << pixels;
}

void TestForm1::noticeStaysWholeWithAnySystemFont()
{
    QFETCH(QFont, systemFont);
    const QFont before = QApplication::font();
    QApplication::setFont(systemFont);
    m_form = std::make_unique<TForm1>();
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
    QApplication::setFont(before);

    QLabel *panel = m_form->StatusPanel1;
    const QFontMetrics metrics = panel->fontMetrics();
    QVERIFY2(metrics.horizontalAdvance(panel->text()) <= panel->contentsRect().width(),
             qPrintable(panel->font().toString()));
    QVERIFY2(metrics.height() <= panel->contentsRect().height(),
             qPrintable(panel->font().toString()));
    QVERIFY(panel->geometry().bottom() < m_form->StatusBar1->height());
    // The rest of the window keeps its design, and the status bar sits below it whole.
    QCOMPARE(m_form->width(), 305);
    QCOMPARE(m_form->centralWidget()->height(), 228 - 19);
    QCOMPARE(m_form->StatusBar1->geometry().bottom(), m_form->height() - 1);
    QCOMPARE(m_form->minimumSize(), m_form->maximumSize());
}

void TestForm1::iconHasSharpLargeSizes()
{
    // The designed 32-pixel picture stands unchanged; larger screens get larger drawings.
    const QIcon icon = m_form->windowIcon();
    const QList<QSize> sizes = icon.availableSizes();
    for (int size : {16, 32, 64, 128}) {
        QVERIFY2(sizes.contains(QSize(size, size)), qPrintable(QString::number(size)));
    }
    const QImage designed(QStringLiteral(":/kelmo/kelmo.xpm"));
    QCOMPARE(icon.pixmap(32).toImage().convertToFormat(QImage::Format_ARGB32),
             designed.convertToFormat(QImage::Format_ARGB32));
    QCOMPARE(icon.pixmap(128).size(), QSize(128, 128));
}

void TestForm1::textIsReadableInLightAndDarkPalettes_data()
{
    QTest::addColumn<QPalette>("palette");
    QTest::newRow("light") << QApplication::style()->standardPalette();
    // A dark desktop's palette: light text on dark faces and fields.
    QPalette dark;
    for (auto [role, colour] : std::initializer_list<std::pair<QPalette::ColorRole, QColor>>{
             {QPalette::Window, QColor(0x42, 0x42, 0x45)},
             {QPalette::WindowText, Qt::white},
             {QPalette::Button, QColor(0x42, 0x42, 0x45)},
             {QPalette::ButtonText, Qt::white},
             {QPalette::Base, QColor(0x30, 0x2f, 0x2e)},
             {QPalette::AlternateBase, QColor(0x3d, 0x3d, 0x3d)},
             {QPalette::Text, Qt::white},
             {QPalette::Light, QColor(0x97, 0x97, 0x97)},
             {QPalette::Midlight, QColor(0x5e, 0x5c, 0x5b)},
             {QPalette::Mid, QColor(0x4a, 0x49, 0x47)},
             {QPalette::Dark, QColor(0x30, 0x2f, 0x2e)},
             {QPalette::Shadow, QColor(0x22, 0x20, 0x20)},
             {QPalette::Highlight, QColor(0x12, 0x60, 0x8a)},
             {QPalette::HighlightedText, Qt::white}}) {
        dark.setColor(role, colour);
    }
    QTest::newRow("dark") << dark;
}

void TestForm1::textIsReadableInLightAndDarkPalettes()
{
    // The window follows the desktop's colours: its face and text are the system's button face
    // and window text, whatever they are, never a fixed black.
    QFETCH(QPalette, palette);
    const QPalette before = QApplication::palette();
    QApplication::setPalette(palette);
    m_form = std::make_unique<TForm1>();
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
    const QImage shot = m_form->grab().toImage();
    QApplication::setPalette(before);

    QList<QWidget *> texts{
        m_form->Label1, m_form->Label2, m_form->Label3,    m_form->Label4,       m_form->Label5,
        m_form->Label6, m_form->edPmin, m_form->edPn,      m_form->edPmax,       m_form->edTmin,
        m_form->edTn,   m_form->edTmax, m_form->ComboBox1, m_form->StatusPanel1, m_form->menuBar()};
    texts << sexButton(0) << sexButton(1);
    for (QWidget *widget : texts) {
        const QRect area(widget->mapTo(m_form.get(), QPoint(0, 0)), widget->size());
        const double ratio = textContrast(shot.copy(area));
        QVERIFY2(
            ratio >= 4.5,
            qPrintable(
                QStringLiteral("%1: contrast %2").arg(widget->objectName()).arg(ratio, 0, 'f', 1)));
    }
}

void TestForm1::helpCommandAndCloseAll()
{
    hh::HtmlHelpA = recordHelpCall;
    m_form->Rubriquesdelaide1->trigger();
    QCOMPARE(helpCalls.size(), 1);
    QCOMPARE(helpCalls[0].owner, GetDesktopWindow());
    QVERIFY(helpCalls[0].owner != nullptr);
    QCOMPARE(helpCalls[0].file,
             QFile::encodeName(QCoreApplication::applicationDirPath() + "/KELMO.chm"));
    QCOMPARE(helpCalls[0].command, hh::HH_DISPLAY_TOPIC);
    QCOMPARE(helpCalls[0].data, std::uintptr_t(0));

    m_form.reset();
    QCOMPARE(helpCalls.size(), 2);
    QCOMPARE(helpCalls[1].owner, nullptr);
    QVERIFY(helpCalls[1].file.isNull());
    QCOMPARE(helpCalls[1].command, hh::HH_CLOSE_ALL);
    QCOMPARE(helpCalls[1].data, std::uintptr_t(0));
}

void TestForm1::helpCommandsWithoutEngineDoNothing()
{
    m_form->Rubriquesdelaide1->trigger();
    QVERIFY(m_form->isVisible());
    const QWidgetList windows = QApplication::topLevelWidgets();
    QCOMPARE(std::count_if(windows.begin(), windows.end(),
                           [](const QWidget *w) { return w->isVisible(); }),
             1);
    m_form.reset();
    QVERIFY(helpCalls.isEmpty());
}

void TestForm1::helpFilePath_data()
{
    QTest::addColumn<QByteArray>("executable");
    QTest::addColumn<QByteArray>("help");
    QTest::newRow("installed") << QByteArray("/usr/bin/KELMO") << QByteArray("/usr/bin/KELMO.chm");
    QTest::newRow("root folder") << QByteArray("/KELMO") << QByteArray("/KELMO.chm");
    QTest::newRow("no folder") << QByteArray("KELMO") << QByteArray("KELMO.chm");
    QTest::newRow("accented folder, UTF-8")
        << QByteArray("/home/zo\xc3\xa9/M\xc3\xa9\x64\x65\x63ine/KELMO")
        << QByteArray("/home/zo\xc3\xa9/M\xc3\xa9\x64\x65\x63ine/KELMO.chm");
    // A folder named in another encoding keeps its bytes: no round trip through text.
    QTest::newRow("accented folder, Latin-1")
        << QByteArray("/home/zo\xe9/KELMO") << QByteArray("/home/zo\xe9/KELMO.chm");
    QTest::newRow("dots in names")
        << QByteArray("/opt/k.1/bin.d/KELMO.bin") << QByteArray("/opt/k.1/bin.d/KELMO.chm");
}

void TestForm1::helpFilePath()
{
    QFETCH(QByteArray, executable);
    QFETCH(QByteArray, help);
    QCOMPARE(HelpFilePath(executable), help);
}

QTEST_MAIN(TestForm1)
#include "tst_tform1.moc"
