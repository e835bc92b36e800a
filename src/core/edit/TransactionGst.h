#pragma once
// The four boxes of a transaction's tax panel and the rules that run when the user leaves one
// of them: the amount (GST included), the amount before GST, the percentage and the GST
// amount. Every box holds two decimals; each rule rounds to cents, halves to the even
// neighbour, and always leaves amount = before-GST + GST, so that what the boxes show adds up.

#include "ledger/Money.h"

namespace qz {

struct TGstBoxes {
    Money Amount;            // A: the total, GST included
    Money BeforeGst;         // B
    Money Percent;           // p: 10 % is 10.0000
    Money Gst;               // G
    bool PercentMode = true; // "%": the GST is worked out from the percentage; "$": typed in
};

// What a box keeps of a typed value: two decimals, halves to even.
Money BoxValue(Money value);
// The percentage box: 0 to 100, two decimals.
Money PercentBoxValue(Money percent);

// Leaving the percentage box: with an amount, G is the tax part of A at p and B the rest;
// without one, both are 0.
void PercentageExit(TGstBoxes& boxes);
// Leaving the before-GST box: in percentage mode G is p percent of B; in either mode A = B + G.
void BeforeGstExit(TGstBoxes& boxes);
// Leaving the GST amount box: without an amount but with B, A = B + G; with an amount, B = A - G.
void GstAmountExit(TGstBoxes& boxes);
// Leaving the amount box: the percentage rule in percentage mode, the GST amount rule otherwise.
void AmountExit(TGstBoxes& boxes);

} // namespace qz
