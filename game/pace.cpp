#include "game/pace.h"

#include "game/state.h"
#include "platform/platform.h"

int32_t pace = PaceNormal;
uint32_t moveSerial = 0;

uint32_t PauseLength(PauseKind kind, int32_t at) {
    static constexpr uint32_t kNormal[] = {350, 150, 600};
    if (at != PaceNormal && at != PaceSlow) return 0;
    return kNormal[kind] * (at == PaceSlow ? 2 : 1);
}

void PauseFor(PauseKind kind) {
    static constexpr const char* kNames[] = {"computer card", "your card", "table done"};
    if (gameSerial != moveSerial) return;
    PauseToShow(PauseLength(kind, pace), kNames[kind]);
}
