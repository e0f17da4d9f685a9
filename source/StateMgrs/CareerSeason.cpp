#include "source/StateMgrs/CareerSeason.h"

#include "source/Career/LeagueManager.h"
#include "source/Flash/SymbolText.h"

namespace {

constexpr u32 kTextPromoted = 7262, kTextRelegated = 7263, kTextStayed = 7264, kTextTurnedPro = 7265,
              kTextStayedPro = 7267, kTextLeague = 7269, kTextProLeague = 7270;

const char* NameOf(const s_AmateurLeagueDef* entry) {
    return entry != nullptr && entry->sLeagueName != nullptr ? entry->sLeagueName : "";
}

}  // namespace

SeasonEnd EndOfSeason(eLeagues league, u32 change, u32 place) {
    SeasonEnd end{league, league < PRO_L1 ? kTextStayed : kTextStayedPro, place == 1};
    if (change == LEAGUE_CHANGE_RELEGATION) {
        if (league > AMATEUR_L2) {
            end.league = eLeagues(league - 1);
            end.text = kTextRelegated;
        } else {
            end.text = kTextStayed;
        }
    } else if (change == LEAGUE_CHANGE_PROMOTION && league < PRO_L1) {
        // The pro league has none above it: its bowler stays, as with no change.
        end.league = eLeagues(league + 1);
        end.text = end.league == PRO_L1 ? kTextTurnedPro : kTextPromoted;
    }
    return end;
}

void LeaguePopupText(char* out, u32 size, const CLeague& league) {
    const s_AmateurLeagueDef& entry = league.m_LeagueDbEntry;
    const eLeagues type = league.GetLeagueType();
    if (type == PRO_L1) {
        SymbolTextFormat(out, size, kTextProLeague, s32(entry.minAverage), s32(entry.minRep));
        return;
    }
    // The league above, when the database has one.
    const s_AmateurLeagueDef* next = LeagueDbEntry(eLeagues(type + 1));
    SymbolTextFormat(out, size, kTextLeague, NameOf(&entry), s32(entry.minAverage), s32(entry.minRep),
                     s32(entry.weeklySalary), NameOf(next), s32(entry.maxAverage), s32(entry.maxRep));
}
