// The host ABI of the Corvelian plug-in module.
#pragma once

#include "Interfaces.h"
#include "Records.h"
#include "Types.h"

// Exports of the module library (extern "C", stdcall on 32-bit Windows):
//   void CreateInstance(corvelian::ICVExtention** extension, corvelian::ICvApplication* host);
//   std::int32_t ReleaseInstance();
extern "C" {
using CvCreateInstanceFn = void CV_CALL (*)(corvelian::ICVExtention**, corvelian::ICvApplication*);
using CvReleaseInstanceFn = std::int32_t CV_CALL (*)();
}
