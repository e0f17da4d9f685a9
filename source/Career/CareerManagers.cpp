#include "source/Career/CareerManagers.h"

#include <memory>

#include "source/Career/EquipmentManager.h"
#include "source/Career/EventManager.h"
#include "source/Career/LeagueManager.h"

namespace {

// Kept out of the engine's heap, which a reset recreates under them.
CEquipmentManager EquipmentManagerObject;
CLeagueManager LeagueManagerObject;
EventManager EventManagerObject;

template <class T>
T* Fresh(T& object) {
    std::destroy_at(&object);
    return std::construct_at(&object);
}

}  // namespace

void CareerManagersCreate() {
    if (pEquipmentManager == nullptr)
        pEquipmentManager = Fresh(EquipmentManagerObject);
    if (pLeagueManager == nullptr)
        pLeagueManager = Fresh(LeagueManagerObject);
    if (pEventManager == nullptr)
        pEventManager = Fresh(EventManagerObject);
}

void CareerManagersReset() {
    pEquipmentManager = nullptr;
    pLeagueManager = nullptr;
    pEventManager = nullptr;
}
