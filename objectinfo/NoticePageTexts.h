// Eight-language texts of the notice and water-report pages: labels and the code tables of
// the notice objects (communication, direction, indication, reporting regime, target group,
// interval, position, reference level, limitation, subject, reason, object type, measure,
// barrage status, regime). Look them up with LanguageText at every use; a language
// without its own text shows the English one.
#pragma once

#include "base/texts/KvLanguage.h"

#include <span>

namespace NoticePageStr {

extern const TLanguageStrings PublishedBy, Subject, Reason, Fairway, PublicationDate, ValidFrom,
    ValidUntil, Message, InConnectionWith, FollowingApplies, Until, UntilFurtherNotice,
    CommunicationInformation, MeansOfCommunication, ReportingRegime, NumberOrAddress,
    AllValuesReferTo, FollowingAppliesTo, Prediction, MeasuredValue, ForOnAt, DifferenceIs,
    Hours, Unknown;

// Code n is entry n - 1.
extern const std::span<const TLanguageStrings> Communication, Direction, Indication, Reporting,
    TargetGroup, Interval, Position, Reference, Limitation, SubjectCodes, ReasonCodes, ObjectType,
    Measure, BarrageStatus, Regime;

}  // namespace NoticePageStr
