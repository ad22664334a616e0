#include "worker/CalcDuration.h"

int g_calcDuration = 0;
std::mutex g_calcDurationLock;

void SetCalcDurationValue(int calcDuration) {
    std::lock_guard lock(g_calcDurationLock);
    g_calcDuration = calcDuration;
}

int GetCalcDuration() {
    std::lock_guard lock(g_calcDurationLock);
    return g_calcDuration;
}
