#pragma once

#include "ui_tform1.h"

#include <QMainWindow>

class TAboutBox;

// The main window: the user picks the child's sex and age and reads the six reference
// figures for them. Its controls come from its form description (resources/tform1.ui) and
// are its public fields, under the names that the description gives them.
class TForm1 : public QMainWindow, public Ui::TForm1
{
    Q_OBJECT

public:
    explicit TForm1(QWidget *parent = nullptr);
    ~TForm1() override;

    // Stands for the request of the system's visual style; the manifest among the Windows
    // resources does the work, so it has no behaviour here.
    QObject *XPManifest1;
    QLabel *StatusPanel1;
    TAboutBox *AboutBox1;

public slots:
    void ComboBox1Change(QObject *Sender);
    void RadioGroup1Click(QObject *Sender);
    void Quitter1Click(QObject *Sender);
    void Rubriquesdelaide1Click(QObject *Sender);
    void Aproposde1Click(QObject *Sender);
    void FormDestroy(QObject *Sender);

private:
    void applyFormSettings();
    void lockSize();
    void fitStatusBar(int width);
};

// Where the help file lies: the executable's folder (everything up to and including its last
// separator, or nothing when it has none) followed by "KELMO.chm".
QByteArray HelpFilePath(const QByteArray &executablePath);
