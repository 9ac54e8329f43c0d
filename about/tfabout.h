#pragma once

#include "ui_tfabout.h"

#include <QDialog>

// The About dialog: the banner, the product name, version and copyright notice that the About
// box puts in, an etched separator, and two lines of memory figures that the dialog fills while
// it is built. Its controls come from its form description (resources/tfabout.ui) and are its
// public fields.
class TFAbout : public QDialog, public Ui::TFAbout
{
    Q_OBJECT

public:
    explicit TFAbout(QWidget *parent = nullptr);
    ~TFAbout() override;

public slots:
    // The creation handler, run once at the end of the construction.
    void FormCreate(QObject *Sender);
    void Button1Click(QObject *Sender);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void applyFormSettings();
    void fitLabels();
};
