#include "about.h"

#include "applicationowned.h"
#include "system.h"
#include "tfabout.h"

#include <exception>
#include <memory>
#include <stdexcept>

TAboutBox::TAboutBox(QObject *AOwner) : QObject(AOwner)
{
    setCopyright(tr("Copyright © l'équipe KELMO"));
}

void TAboutBox::ShortText::assign(const QString &value)
{
    // Counted in code points, so that a character outside the basic plane is kept or dropped
    // whole; a lone surrogate, which is no character at all, becomes the replacement character.
    int length = 0;
    const qsizetype size = value.size();
    for (qsizetype i = 0; i < size && length < Capacity; ++i) {
        const QChar c = value.at(i);
        char32_t code = c.unicode();
        if (c.isHighSurrogate() && i + 1 < size && value.at(i + 1).isLowSurrogate()) {
            code = QChar::surrogateToUcs4(c, value.at(i + 1));
            ++i;
        } else if (c.isSurrogate()) {
            code = QChar::ReplacementCharacter;
        }
        m_chars[std::size_t(length++)] = code;
    }
    m_length = length;
}

QString TAboutBox::ShortText::text() const
{
    return QString::fromUcs4(m_chars.data(), m_length);
}

void TAboutBox::Execute()
{
    TFAbout *dialog = nullptr;
    try {
        std::unique_ptr<TFAbout> created(m_dialogFactory ? m_dialogFactory() : new TFAbout());
        if (!created) {
            throw std::runtime_error("no About dialog");
        }
        GiveToApplication(created.get());
        dialog = created.release();
    } catch (const std::exception &) {
        // Without its dialog the command has nothing to show; the beep tells the user it was
        // heard all the same.
        MessageBeep(0);
        return;
    }

    dialog->Label1->setText(ProductName());
    dialog->Label2->setText(Version());
    dialog->Label3->setText(Copyright());

    const std::unique_ptr<TFAbout> finally(dialog);
    dialog->exec();
}
