#include "_kelmo.h"

#include "about.h"
#include "formfont.h"
#include "growthtable.h"
#include "hh.h"
#include "mainicon.h"
#include "system.h"

#include <QApplication>
#include <QFile>
#include <QFontMetrics>
#include <QLatin1StringView>
#include <QLayout>
#include <QScreen>
#include <QSizeGrip>
#include <QStyle>

#include <algorithm>
#include <array>

namespace {

// The height of the status bar, which with the area above it makes up the 228 pixels of
// the window's client area below the menu bar.
constexpr int StatusBarHeight = 19;

// A font one step smaller, in whichever unit it is given; false when it is already as small
// as a notice can usefully be.
bool shrink(QFont &font)
{
    if (font.pixelSize() > 0) {
        if (font.pixelSize() <= 8) {
            return false;
        }
        font.setPixelSize(font.pixelSize() - 1);
        return true;
    }
    if (font.pointSizeF() <= 6.0) {
        return false;
    }
    font.setPointSizeF(font.pointSizeF() - 0.5);
    return true;
}

// A label that sizes itself to its text while its right edge stays where the form puts it,
// so that each column of captions ends just left of its fields whatever the font.
void fitKeepingRightEdge(QLabel *label)
{
    const QRect designed = label->geometry();
    const int width = label->sizeHint().width();
    label->setGeometry(designed.right() + 1 - width, designed.top(), width, designed.height());
}

} // namespace

TForm1::TForm1(QWidget *parent)
    : QMainWindow(parent), XPManifest1(new QObject(this)), StatusPanel1(new QLabel(this)),
      AboutBox1(new TAboutBox(this))
{
    // The font comes first, so that every control is laid out once, in the font it shows.
    setFont(formFont());
    setupUi(this);
    applyFormSettings();

    connect(ComboBox1, &QComboBox::editTextChanged, this, [this] { ComboBox1Change(ComboBox1); });
    connect(RadioGroup1, &TRadioGroup::Click, this, [this] { RadioGroup1Click(RadioGroup1); });
    connect(Quitter1, &QAction::triggered, this, [this] { Quitter1Click(Quitter1); });
    connect(Rubriquesdelaide1, &QAction::triggered, this,
            [this] { Rubriquesdelaide1Click(Rubriquesdelaide1); });
    connect(Aproposde1, &QAction::triggered, this, [this] { Aproposde1Click(Aproposde1); });
}

TForm1::~TForm1()
{
    FormDestroy(this);
}

// What the form description cannot say.
void TForm1::applyFormSettings()
{
    XPManifest1->setObjectName(QStringLiteral("XPManifest1"));
    setWindowIcon(MainIcon());
    // A form description holds no component without a window, so the About box's texts are
    // given here.
    AboutBox1->setObjectName(QStringLiteral("AboutBox1"));
    AboutBox1->setProductName(QStringLiteral("KELMO"));
    AboutBox1->setVersion(tr("Version 1.0"));
    AboutBox1->setCopyright(tr("Copyright © 2026 l'équipe KELMO"));
    N1->setSeparator(true);

    for (QLabel *label : {Label1, Label2, Label3, Label4, Label5, Label6}) {
        fitKeepingRightEdge(label);
    }
    // A screen reader names each figure by its caption: "Poids minimal : 2,5".
    const std::array<std::pair<QLabel *, QLineEdit *>, 6> captions{{{Label1, edPmin},
                                                                    {Label2, edPn},
                                                                    {Label3, edPmax},
                                                                    {Label4, edTmin},
                                                                    {Label5, edTn},
                                                                    {Label6, edTmax}}};
    for (const auto &[label, field] : captions) {
        label->setBuddy(field);
        field->setAccessibleName(label->text());
    }
    ComboBox1->setAccessibleName(GroupBox1->title().trimmed());

    // The status bar's one panel takes the whole width, whatever its text asks for.
    StatusPanel1->setObjectName(QStringLiteral("StatusPanel1"));
    StatusPanel1->setText(tr("Conçu et réalisé par l'équipe KELMO, 2026"));
    StatusPanel1->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    StatusBar1->addWidget(StatusPanel1, 1);

    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    lockSize();
}

// The window keeps its designed size: neither the frame nor the size grip can change it,
// and without a maximise button there is no other way to.
void TForm1::lockSize()
{
    const QSize client(305, 228 - StatusBarHeight);
    centralWidget()->setFixedSize(client);
    fitStatusBar(client.width());
    const QSize outer(client.width(),
                      menuBar()->sizeHint().height() + client.height() + StatusBar1->height());
    setFixedSize(outer);
    if (const QScreen *screen = this->screen()) {
        setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, outer,
                                        screen->availableGeometry()));
    }
}

// The status bar keeps the system's own font, which may be much larger than the one the
// window was designed with. Then the font shrinks only as far as the notice needs to be read
// whole in the window's width, and the bar grows as tall as the text needs, as the system's
// own status bars do.
void TForm1::fitStatusBar(int width)
{
    QFont font = QApplication::font(StatusBar1);
    StatusBar1->setFont(font);
    StatusBar1->setFixedSize(width, StatusBarHeight);
    StatusBar1->layout()->activate();
    int room = StatusPanel1->contentsRect().width();
    // The size grip takes its place in the bar only once the window is shown: keep that room
    // for it already, with a pixel to spare on each side.
    if (const QSizeGrip *grip = StatusBar1->findChild<QSizeGrip *>(); grip && grip->isHidden()) {
        room -= grip->sizeHint().width() + 2 * (1 + std::max(0, StatusBar1->layout()->spacing()));
    }
    while (QFontMetrics(font).horizontalAdvance(StatusPanel1->text()) > room && shrink(font)) {
    }
    StatusBar1->setFont(font);

    const int tallest = 4 * StatusBarHeight;
    for (int height = StatusBarHeight; height <= tallest; ++height) {
        StatusBar1->setFixedSize(width, height);
        StatusBar1->layout()->activate();
        if (StatusPanel1->height() >= StatusPanel1->sizeHint().height()) {
            break;
        }
    }
}

void TForm1::ComboBox1Change(QObject * /*Sender*/)
{
    const growth::Row *row = growth::Lookup(RadioGroup1->ItemIndex(), ComboBox1->currentText());
    if (row == nullptr) {
        return;
    }
    const std::array<QLineEdit *, growth::ColumnCount> fields{edPmin, edPn, edPmax,
                                                              edTmin, edTn, edTmax};
    for (int i = 0; i < growth::ColumnCount; ++i) {
        const std::string_view cell = row->cells[i];
        fields[i]->setText(QLatin1StringView(cell.data(), qsizetype(cell.size())));
    }
}

void TForm1::RadioGroup1Click(QObject *Sender)
{
    ComboBox1Change(Sender);
}

void TForm1::Quitter1Click(QObject * /*Sender*/)
{
    close();
}

void TForm1::Rubriquesdelaide1Click(QObject * /*Sender*/)
{
    if (hh::HtmlHelpA == nullptr) {
        return;
    }
    const QByteArray file = HelpFilePath(QByteArray::fromStdString(ExecutablePath()));
    hh::HtmlHelpA(GetDesktopWindow(), file.constData(), hh::HH_DISPLAY_TOPIC, 0);
}

void TForm1::Aproposde1Click(QObject * /*Sender*/)
{
    AboutBox1->Execute();
}

void TForm1::FormDestroy(QObject * /*Sender*/)
{
    if (hh::HtmlHelpA != nullptr) {
        hh::HtmlHelpA(nullptr, nullptr, hh::HH_CLOSE_ALL, 0);
    }
}

QByteArray HelpFilePath(const QByteArray &executablePath)
{
    return executablePath.left(executablePath.lastIndexOf('/') + 1) + "KELMO.chm";
}
