#include "tlineplugin.h"

#include "lines.h"

#include <QIcon>

TLinePlugin::TLinePlugin(QObject *parent) : QObject(parent)
{
}

QString TLinePlugin::name() const
{
    return QStringLiteral("TLine");
}

QString TLinePlugin::group() const
{
    return QStringLiteral("KELMO");
}

QString TLinePlugin::toolTip() const
{
    return QStringLiteral("Straight line");
}

QString TLinePlugin::whatsThis() const
{
    return QStringLiteral("A straight segment between free end points (Line ltCustom) or along "
                          "a direction that follows the control's size.");
}

QString TLinePlugin::includeFile() const
{
    return QStringLiteral("lines.h");
}

QIcon TLinePlugin::icon() const
{
    return QIcon();
}

bool TLinePlugin::isContainer() const
{
    return false;
}

QWidget *TLinePlugin::createWidget(QWidget *parent)
{
    return new TLine(parent);
}

bool TLinePlugin::isInitialized() const
{
    return m_initialized;
}

void TLinePlugin::initialize(QDesignerFormEditorInterface *)
{
    m_initialized = true;
}

QString TLinePlugin::domXml() const
{
    // A new line is 65 x 65, as the control makes itself.
    return QStringLiteral(R"(<ui language="c++">
 <widget class="TLine" name="Line1">
  <property name="geometry">
   <rect><x>0</x><y>0</y><width>65</width><height>65</height></rect>
  </property>
 </widget>
</ui>
)");
}
