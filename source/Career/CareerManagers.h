// The career's shop lists, league and event managers live for the whole run once
// the main flow has created them; a game reset forgets them (pEquipmentManager,
// pLeagueManager and pEventManager null again) and the next creation starts them afresh.
#pragma once

void CareerManagersCreate();
void CareerManagersReset();
