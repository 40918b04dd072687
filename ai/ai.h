// The computer player: fixed rules, no look-ahead. The order of
// computerHand matters: each choice takes the first card that qualifies.
#pragma once

#include <cstdint>

#include "game/card.h"

// Attack: 1 a card was played, 0 nothing (more) to attack with, -1 the
// table is in a state where the computer cannot attack.
int32_t ComputerAttack();
// One more card of a rank on the table; mode 1 allows trumps. 1 if played.
int32_t ThrowIn(int32_t mode);
int32_t ComputerLead();
int32_t LeadUnbeatable();
int32_t LeadSpade();
// The rank of the computer's best group to lead, or 0 for none.
int32_t BestGroupRank();
int32_t LeadLowest();

// Keep-or-spend judgements: 1 the card may be played now, 0 hold it back.
int32_t MaySpendTrump(const Card& card);
int32_t MaySpendSpade(const Card& card);

// Defence: 1 covered or transferred, 0 takes.
int32_t ComputerDefend();
int32_t WantsTransfer(int32_t rank);
int32_t CoverToShutOut();
