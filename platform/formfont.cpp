#include "formfont.h"

#include <QStringList>

QFont formFont()
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("Nimbus Sans"),
                      QStringLiteral("Arial"), QStringLiteral("Helvetica")});
    font.setPixelSize(11);
    return font;
}
