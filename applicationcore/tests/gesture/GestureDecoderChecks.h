#pragma once

// The gesture decoder's cases, free of Qt: the same tables run in the QtTest suite here and,
// built with mingw-w64, under wine (win/gesture_decoder_test.cpp). Each case runs a decoder
// over an injected gesture API and returns a trace of what it did; the case holds the trace
// expected.

#include <cstdint>
#include <string>
#include <vector>

namespace GestureDecoderChecks {

// The configuration a receiver's answers lead to.
struct ConfigCase {
    const char* name;
    int panAnswer;
    int otherAnswer;  // to zoom, rotate, two-finger tap and press-and-tap alike
    const char* expected;
};

// What reaches the decoder, one message at a time. A notify routes to the recording receiver
// (Asked also traces its questions), Unrouted to nobody.
struct Step {
    enum Kind { Notify, Asked, Gesture, ChildGesture, Other, InfoFails, Forget, Unrouted } kind;
    std::uint32_t id = 0;
    std::uint32_t flags = 0;
    std::uint64_t arguments = 0;
    std::int16_t x = 110;  // screen; the client area starts at (10, 20)
    std::int16_t y = 220;
};

struct DecodeCase {
    const char* name;
    std::vector<Step> steps;
    const char* expected;
};

const std::vector<ConfigCase>& ConfigCases();
const std::vector<DecodeCase>& DecodeCases();

std::string RunConfig(const ConfigCase& config);
std::string RunDecode(const DecodeCase& decode);

}  // namespace GestureDecoderChecks
