#include <Quorvel/App/Application/Gesture/Consumer.h>
#include <Quorvel/App/Application/Gesture/Router.h>

#include "GestureApi.h"

#include <QApplication>
#include <QPointer>
#include <QWidget>

#include <typeinfo>
#include <utility>
#include <vector>

namespace Quorvel::App {

struct Gesture::Router::Impl {
    // The receiver last routed, so that a destroyed one is noticed before it is called.
    QPointer<QObject> routed;
    // Whether objects of a dynamic type are receivers, learnt once per type: a failing
    // cross-cast costs more than the rest of a walk up the widget tree.
    std::vector<std::pair<const std::type_info*, bool>> consumerTypes;

    bool IsConsumer(QObject* object) {
        const std::type_info* type = &typeid(*object);
        for (const auto& [known, consumer] : consumerTypes) {
            if (known == type) {
                return consumer;
            }
        }
        consumerTypes.emplace_back(type, dynamic_cast<Consumer*>(object) != nullptr);
        return consumerTypes.back().second;
    }
};

Gesture::Router::Router(QObject* parent) : QObject(parent), m_impl(std::make_unique<Impl>()) {}

Gesture::Router::Router(Platform::GestureApi& api, QObject* parent)
    : QObject(parent), Producer(api), m_impl(std::make_unique<Impl>()) {}

Gesture::Router::~Router() = default;

bool Gesture::Router::nativeEvent(const QByteArray&, void* message, NativeEventResult* result) {
    if (!m_impl->routed) {
        ForgetConsumer();
    }
    std::intptr_t value = 0;
    if (!OnNativeMessage(message, &value)) {
        return false;
    }
    *result = static_cast<NativeEventResult>(value);
    return true;
}

Gesture::Consumer* Gesture::Router::Route(const Gesture& gesture) {
    for (QWidget* widget = QApplication::widgetAt(gesture.globalPos.x, gesture.globalPos.y); widget;
         widget = widget->parentWidget()) {
        for (QObject* child : widget->children()) {
            if (m_impl->IsConsumer(child)) {
                m_impl->routed = child;
                return dynamic_cast<Consumer*>(child);
            }
        }
    }
    m_impl->routed = nullptr;
    return nullptr;
}

}  // namespace Quorvel::App
