#pragma once

#include <Quorvel/App/Application/Gesture/Emitter.h>

#include <QString>

#include <utility>

// Switches an emitter on by letters, the others off: z zoom, r rotate, t two-finger tap,
// a press and tap, h horizontal pan, v vertical pan, g pan gutter, i pan inertia.
inline void SetSwitches(Quorvel::App::Gesture::Emitter& emitter, const QString& letters) {
    using Emitter = Quorvel::App::Gesture::Emitter;
    const std::pair<char, void (Emitter::*)(bool)> setters[] = {
        {'z', &Emitter::setZoomEnabled},          {'r', &Emitter::setRotateEnabled},
        {'t', &Emitter::setTapEnabled},           {'a', &Emitter::setPressAndTapEnabled},
        {'h', &Emitter::setHorizontalPanEnabled}, {'v', &Emitter::setVerticalPanEnabled},
        {'g', &Emitter::setPanGutterEnabled},     {'i', &Emitter::setPanInertiaEnabled}};
    for (const auto& [letter, setter] : setters) {
        (emitter.*setter)(letters.contains(QLatin1Char(letter)));
    }
}
