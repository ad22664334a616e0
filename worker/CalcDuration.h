#pragma once
// The worker's report delay in milliseconds, one setting for every request of
// the process (0 or less: no delay). Read and written under its lock.

#include <mutex>

extern int g_calcDuration;
extern std::mutex g_calcDurationLock;

void SetCalcDurationValue(int calcDuration);
int GetCalcDuration();
