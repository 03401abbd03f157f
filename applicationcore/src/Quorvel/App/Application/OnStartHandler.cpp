#include <Quorvel/App/Application/OnStartHandler.h>

#include <utility>

namespace Quorvel::App {

OnStartHandler::OnStartHandler(std::function<void()> callback) : m_callback(std::move(callback)) {}

OnStartHandler::~OnStartHandler() = default;

void OnStartHandler::onStart() { m_callback(); }

}  // namespace Quorvel::App
