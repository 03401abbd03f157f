#pragma once

#include <Quorvel/App/Application/ILifetimeManager.h>
#include <Quorvel/App/Application/LookAndFeelManager.h>

#include <QObject>
#include <QStringList>

#include <memory>

class HeadlessBoxAnswerer;
class MainWindow;
class QMenu;

// Runs the demo without anyone at the screen: once started, pictures the Help menu, picks every
// theme and every language from the View menu as a user would, saves a picture of the main
// window for each, puts the user's own choice back, and quits. Message boxes on the way (the
// quit confirmation, a diagnostic's box) are pictured and answered.
class HeadlessTour : public QObject {
    Q_OBJECT
public:
    HeadlessTour(MainWindow& window, std::shared_ptr<Quorvel::App::LookAndFeelManager> lookAndFeel,
                 std::shared_ptr<Quorvel::App::ILifetimeManager> lifetime, QString directory);

    void Run();
    QStringList Pictures() const;

private:
    void Pick(QMenu* menu, const std::string& name);
    void Settle();

    MainWindow& m_window;
    std::shared_ptr<Quorvel::App::LookAndFeelManager> m_lookAndFeel;
    std::shared_ptr<Quorvel::App::ILifetimeManager> m_lifetime;
    QString m_directory;
    QStringList m_pictures;
    HeadlessBoxAnswerer* m_boxes = nullptr;
};
