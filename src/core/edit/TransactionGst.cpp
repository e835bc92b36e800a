#include "TransactionGst.h"

#include <algorithm>

namespace qz {

Money BoxValue(Money value) {
    return RoundCents(value);
}

Money PercentBoxValue(Money percent) {
    return std::clamp(RoundCents(percent), Money(), Money::FromUnits(100));
}

// B is what remains of A after the rounded tax, not A ÷ (1 + p/100) rounded on its own: at a
// half cent the two roundings can go different ways (1.23 at 20 % is 0.205 tax and 1.025 net,
// 0.20 and 1.02 to the even cent) and the boxes would no longer add up.
void PercentageExit(TGstBoxes& boxes) {
    if (boxes.Amount > Money()) {
        boxes.Gst = TaxOfGross(boxes.Amount, boxes.Percent);
        boxes.BeforeGst = boxes.Amount - boxes.Gst;
    } else {
        boxes.BeforeGst = Money();
        boxes.Gst = Money();
    }
}

// Likewise A is B plus the rounded tax rather than B × (1 + p/100) rounded apart from it.
void BeforeGstExit(TGstBoxes& boxes) {
    if (boxes.PercentMode)
        boxes.Gst = PercentageOf(boxes.BeforeGst, boxes.Percent);
    boxes.Amount = boxes.BeforeGst + boxes.Gst;
}

void GstAmountExit(TGstBoxes& boxes) {
    if (boxes.Amount.IsZero() && boxes.BeforeGst > Money())
        boxes.Amount = boxes.BeforeGst + boxes.Gst;
    else if (boxes.Amount > Money())
        boxes.BeforeGst = boxes.Amount - boxes.Gst;
}

void AmountExit(TGstBoxes& boxes) {
    if (boxes.PercentMode)
        PercentageExit(boxes);
    else
        GstAmountExit(boxes);
}

} // namespace qz
