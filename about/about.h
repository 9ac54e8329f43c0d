#pragma once

#include <QObject>
#include <QString>

#include <array>
#include <functional>

class TFAbout;

// The About box: holds the product name, the version and the copyright notice that the owning
// form gives it, and shows them in the About dialog on request. It has no window of its own.
class TAboutBox : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString ProductName READ ProductName WRITE setProductName)
    Q_PROPERTY(QString Version READ Version WRITE setVersion)
    Q_PROPERTY(QString Copyright READ Copyright WRITE setCopyright)

public:
    // Each text keeps at most this many characters (Unicode code points); the rest of a longer
    // one is dropped without a word.
    static constexpr int Capacity = 100;

    explicit TAboutBox(QObject *AOwner = nullptr);

    QString ProductName() const { return m_productName.text(); }
    void setProductName(const QString &value) { m_productName.assign(value); }
    QString Version() const { return m_version.text(); }
    void setVersion(const QString &value) { m_version.assign(value); }
    QString Copyright() const { return m_copyright.text(); }
    void setCopyright(const QString &value) { m_copyright.assign(value); }

    // Shows the About dialog modally with the three texts and returns once it is closed and
    // gone. When the dialog cannot be built, a beep is all the user gets and the call returns
    // normally; an exception of any kind other than std::exception passes through.
    virtual void Execute();

    // Builds the dialog in place of the real construction, so that tests can make it fail;
    // an empty function restores the real one.
    using DialogFactory = std::function<TFAbout *()>;
    void setDialogFactory(DialogFactory factory) { m_dialogFactory = std::move(factory); }

private:
    // A text of at most Capacity characters, held inside the object.
    class ShortText
    {
    public:
        void assign(const QString &value);
        QString text() const;

    private:
        std::array<char32_t, Capacity> m_chars{};
        int m_length = 0;
    };

    ShortText m_productName;
    ShortText m_version;
    ShortText m_copyright;
    DialogFactory m_dialogFactory;
};
