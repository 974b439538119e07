#include "tests/support/TimeScaleOverride.h"

#include "platform/base/Clock.h"

CTimeScaleOverride::CTimeScaleOverride() : m_before(GetTimeScale()) {}

CTimeScaleOverride::CTimeScaleOverride(double scale) : CTimeScaleOverride() { Set(scale); }

CTimeScaleOverride::~CTimeScaleOverride() { SetTimeScale(m_before); }

void CTimeScaleOverride::Set(double scale) { SetTimeScale(scale); }
