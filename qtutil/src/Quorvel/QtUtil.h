#pragma once

// The Qt utility library: message box, text conversion, machine and build descriptions,
// font registration, the network protocol preference and the main-window query.
#include <Quorvel/Util/AlertBox.h>
#include <Quorvel/Util/BuildInfo.h>
#include <Quorvel/Util/FontDatabase.h>
#include <Quorvel/Util/HardwareInfo.h>
#include <Quorvel/Util/SpontaneousDialog.h>
#include <Quorvel/Util/SslUsage.h>
#include <Quorvel/Util/TextConversion.h>
