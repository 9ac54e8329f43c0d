#include "tfabout.h"

#include "application.h"
#include "formfont.h"
#include "system.h"

#include <QImage>

#include <algorithm>
#include <cstdint>
#include <exception>

namespace {

// The byte count as "#,###" then " Ko" would show it: in kilobytes, rounded to the nearest,
// the digits grouped by threes with the locale's separator. Whole numbers all the way, so that
// no figure loses digits; nothing at all would be a poor answer for zero, so it shows "0".
QString kilobytes(SIZE_T bytes)
{
    const std::uint64_t rounded = std::uint64_t(bytes / 1024) + (bytes % 1024 >= 512 ? 1 : 0);
    const QString digits = QString::number(rounded);
    const QString separator = LocaleThousandSeparator();
    QString grouped;
    for (qsizetype i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) {
            grouped += separator;
        }
        grouped += digits.at(i);
    }
    return grouped + QStringLiteral(" Ko");
}

} // namespace

TFAbout::TFAbout(QWidget *parent) : QDialog(parent)
{
    // The font comes first, so that every control is laid out once, in the font it shows.
    setFont(formFont());
    setupUi(this);
    applyFormSettings();
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(Button1); });

    // The creation handler runs inside the construction. A failure in it costs some figures,
    // not the dialog: it is reported the way the application reports every failure, and a
    // label that was not filled keeps its design caption.
    try {
        FormCreate(this);
    } catch (const std::exception &e) {
        if (Application *application = Application::instance()) {
            application->ShowException(e);
        } else {
            qWarning("%s", e.what());
        }
    }
    fitLabels();
}

TFAbout::~TFAbout() = default;

// What the form description cannot say.
void TFAbout::applyFormSettings()
{
    // A dialog frame: a close box and nothing else, and no way to resize it.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(size());

    // A horizontal line takes the height that its pen asks for at its first paint and shows it
    // from the next one on. One paint off screen settles it now, so that the dialog's first
    // frame already shows the separator where it belongs.
    QImage scratch(1, 1, QImage::Format_ARGB32_Premultiplied);
    for (TLine *line : {Line1, Line2}) {
        line->render(&scratch);
    }
}

// Labels follow their text, growing to the right from where the form puts them.
void TFAbout::fitLabels()
{
    for (QLabel *label : {Label1, Label2, Label3, lblPhysMem, lblPhysRes}) {
        label->adjustSize();
    }
}

void TFAbout::showEvent(QShowEvent *event)
{
    // The three texts are filled in after the construction, just before the dialog is shown.
    fitLabels();
    QDialog::showEvent(event);
}

void TFAbout::FormCreate(QObject * /*Sender*/)
{
    MessageBeep(0);

    MEMORYSTATUS status;
    GlobalMemoryStatus(&status);

    lblPhysMem->setText(tr("Mémoire physique totale : ") + kilobytes(status.dwTotalPhys));
    const DWORD load = std::min<DWORD>(status.dwMemoryLoad, 100);
    lblPhysRes->setText(tr("Ressources système      : ") + QString::number(100 - load) +
                        QLatin1Char('%') + tr(" libre."));
}

void TFAbout::Button1Click(QObject * /*Sender*/)
{
    close();
}
