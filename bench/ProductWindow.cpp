#include "ProductWindow.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

namespace {

// Texts of the demo's window, so that its translations apply.
QString Text(const char* source) { return QCoreApplication::translate("MainWindow", source); }

}  // namespace

ProductWindow::ProductWindow() {
    QMenu* file = menuBar()->addMenu(Text("&File"));
    file->addAction(Text("&Restart…"));
    file->addAction(Text("&Quit"));
    QMenu* view = menuBar()->addMenu(Text("&View"));
    view->addMenu(Text("&Language"));
    view->addMenu(Text("&Theme"));
    QMenu* help = menuBar()->addMenu(Text("&Help"));
    for (const char* link : {"Online &help", "Frequently asked &questions", "&Video lessons",
                             "User &forum", "&Contact support", "Product &home page"}) {
        help->addAction(Text(link));
    }

    auto* central = new QWidget;
    auto* layout = new QVBoxLayout(central);
    auto* title = new QLabel(QStringLiteral("Quorvel Demo"));
    title->setObjectName(QStringLiteral("titleLabel"));
    auto* subtitle = new QLabel(Text("A product built on the Quorvel application core"));
    subtitle->setObjectName(QStringLiteral("subtitleLabel"));
    layout->addWidget(title);
    layout->addWidget(subtitle);

    auto* facts = new QGroupBox(Text("This installation"));
    auto* grid = new QGridLayout(facts);
    const char* const names[] = {"Version",           "Days since first start",
                                 "This start",        "Partner",
                                 "Installer running", "Theme",
                                 "Language",          "Machine",
                                 "Web browser"};
    int row = 0;
    for (const char* name : names) {
        auto* value = new QLabel(Text("no"));
        value->setObjectName(QStringLiteral("valueLabel"));
        grid->addWidget(new QLabel(Text(name)), row, 0);
        grid->addWidget(value, row++, 1);
    }
    layout->addWidget(facts);

    auto* notes = new QGroupBox(Text("Notes"));
    auto* notesLayout = new QVBoxLayout(notes);
    auto* editor = new QPlainTextEdit;
    editor->setPlaceholderText(Text("Type here; quitting with unsaved notes asks first."));
    notesLayout->addWidget(editor);
    notesLayout->addWidget(new QPushButton(Text("Save notes")));
    layout->addWidget(notes);

    auto* driver = new QGroupBox(Text("Graphics driver messages"));
    auto* buttons = new QHBoxLayout(driver);
    buttons->addWidget(new QPushButton(Text("Acceleration disabled")));
    buttons->addWidget(new QPushButton(Text("Driver unsupported")));
    buttons->addWidget(new QCheckBox(Text("Installer running")));
    layout->addWidget(driver);

    auto* list = new QListWidget;
    list->addItems({Text("regular start"), Text("first start after installation"),
                    Text("first start after an update"), Text("background start")});
    layout->addWidget(list);

    setCentralWidget(central);
    statusBar()->addWidget(new QLabel(Text("Started")));
    resize(720, 640);
}
