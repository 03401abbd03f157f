#pragma once

// Every public header of the instance hand-over library.
#include <Quorvel/App/Handover/InstanceHandover.h>
