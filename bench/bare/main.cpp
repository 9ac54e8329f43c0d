// The floor for KELMO's start-up and memory: a main window with a menu bar, a status bar, a
// combo box and six line edits, and nothing else.
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QStatusBar>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.menuBar()->addMenu(QStringLiteral("&Fichier"))->addAction(QStringLiteral("&Quitter"));
    window.statusBar()->showMessage(QStringLiteral("Barre d'état"));
    auto *central = new QWidget(&window);
    auto *combo = new QComboBox(central);
    combo->setEditable(true);
    combo->addItems({QStringLiteral("Naissance"), QStringLiteral("15 ans")});
    combo->setGeometry(16, 24, 89, 21);
    for (int i = 0; i < 6; ++i) {
        auto *edit = new QLineEdit(QStringLiteral("184,2"), central);
        edit->setReadOnly(true);
        edit->setGeometry(104 + (i / 3) * 136, 96 + (i % 3) * 32, 33, 21);
    }
    window.setCentralWidget(central);
    window.resize(305, 246);
    window.show();
    return QApplication::exec();
}
