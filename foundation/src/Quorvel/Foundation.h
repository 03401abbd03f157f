#pragma once

// Every public header of Quorvel::Foundation.

#include <Quorvel/Core/DataInputString.h>
#include <Quorvel/Core/DyLib.h>
#include <Quorvel/Core/Property.h>
#include <Quorvel/Core/PropertySerializer.h>
#include <Quorvel/Core/TrackCurrentException.h>
#include <Quorvel/Core/Version.h>
#include <Quorvel/NotNull.h>
#include <Quorvel/Util/AppMutexLocker.h>
#include <Quorvel/Util/SHA1.h>
#include <Quorvel/ioPath.h>
