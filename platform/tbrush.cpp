#include "tbrush.h"

TBrush::TBrush(QObject *parent) : QObject(parent)
{
}

void TBrush::setColor(const QColor &color)
{
    const QColor opaque = opaqueColor(color);
    if (!opaque.isValid() || opaque == m_color)
        return;
    m_color = opaque;
    emit OnChange(this);
}

void TBrush::setStyle(TBrushStyle style)
{
    if (style > bsDiagCross || style == m_style)
        return;
    m_style = style;
    emit OnChange(this);
}

void TBrush::Assign(const TBrush *source)
{
    if (!source || source == this)
        return;
    if (source->m_color == m_color && source->m_style == m_style)
        return;
    m_color = source->m_color;
    m_style = source->m_style;
    emit OnChange(this);
}
