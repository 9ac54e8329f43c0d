#include <QPluginLoader>
#include <QWidget>
#include <QXmlStreamReader>
#include <QtTest>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>

// The Designer plugin as Designer itself meets it: a plugin file that yields a custom widget
// interface, which makes working lines and describes them for the forms it writes.
class tst_TLinePlugin : public QObject
{
    Q_OBJECT

private slots:
    void loadsAndMakesLines();
};

void tst_TLinePlugin::loadsAndMakesLines()
{
    QPluginLoader loader(QStringLiteral(KELMO_TLINE_PLUGIN));
    QObject *instance = loader.instance();
    QVERIFY2(instance, qPrintable(loader.errorString()));
    auto *plugin = qobject_cast<QDesignerCustomWidgetInterface *>(instance);
    QVERIFY(plugin);
    QCOMPARE(plugin->name(), QStringLiteral("TLine"));
    QCOMPARE(plugin->includeFile(), QStringLiteral("lines.h"));
    QVERIFY(!plugin->isContainer());

    QXmlStreamReader xml(plugin->domXml());
    QString widgetClass;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QLatin1String("widget"))
            widgetClass = xml.attributes().value("class").toString();
    }
    QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
    QCOMPARE(widgetClass, plugin->name());

    // The plugin carries its own copy of the control, so it is looked at through its
    // properties, as Designer's property editor does.
    QWidget form;
    QWidget *line = plugin->createWidget(&form);
    QVERIFY(line);
    QCOMPARE(line->parent(), &form);
    QCOMPARE(line->metaObject()->className(), "TLine");
    QCOMPARE(line->size(), QSize(65, 65));
    QCOMPARE(line->property("Line").toInt(), 0);
    QVERIFY(line->setProperty("PenColor", QColor(Qt::white)));
    QCOMPARE(line->property("PenColor").value<QColor>(), QColor(Qt::white));

    // Designer writes properties in the order it lists them: the end points must come before
    // the kind, so that a form read back takes them while the line is still free.
    const QMetaObject *meta = line->metaObject();
    QVERIFY(meta->indexOfProperty("ToY") < meta->indexOfProperty("Line"));
    QVERIFY(meta->indexOfProperty("PenColor") < meta->indexOfProperty("FromX"));
    QVERIFY(meta->property(meta->indexOfProperty("Line")).isEnumType());
    QVERIFY(!meta->property(meta->indexOfProperty("Pen")).isDesignable());
}

QTEST_MAIN(tst_TLinePlugin)
#include "tst_tlineplugin.moc"
