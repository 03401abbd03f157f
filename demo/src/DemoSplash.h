#pragma once

#include <Quorvel/App/ISplash.h>

#include <QSplashScreen>

#include <memory>

// The splash shown while the demo starts; the application dismisses it once started.
class DemoSplash : public Quorvel::App::ISplash {
public:
    explicit DemoSplash(const QString& productName);
    ~DemoSplash() override;

    void Show();
    void Dismiss() override;
    bool IsVisible() const;

private:
    std::unique_ptr<QSplashScreen> m_screen;
};
