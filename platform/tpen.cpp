#include "tpen.h"

TPen::TPen(QObject *parent) : QObject(parent)
{
}

void TPen::setColor(const QColor &color)
{
    const QColor opaque = opaqueColor(color);
    if (!opaque.isValid() || opaque == m_color)
        return;
    m_color = opaque;
    emit OnChange(this);
}

void TPen::setWidth(int width)
{
    if (width < 0 || width == m_width)
        return;
    m_width = width;
    emit OnChange(this);
}

void TPen::setStyle(TPenStyle style)
{
    if (style > psInsideFrame || style == m_style)
        return;
    m_style = style;
    emit OnChange(this);
}

void TPen::setMode(TPenMode mode)
{
    if (mode > pmNotXor || mode == m_mode)
        return;
    m_mode = mode;
    emit OnChange(this);
}

void TPen::Assign(const TPen *source)
{
    if (!source || source == this)
        return;
    if (source->m_color == m_color && source->m_width == m_width && source->m_style == m_style &&
        source->m_mode == m_mode)
        return;
    m_color = source->m_color;
    m_width = source->m_width;
    m_style = source->m_style;
    m_mode = source->m_mode;
    emit OnChange(this);
}
