// Structures of the waterway network with their passages, chambers, operating times and
// authorities.
#include "network/WWNetwork.h"

#include <algorithm>

namespace kv::ww {

namespace {

// Number and remark, common to every kind of item.
template <class I>
class TItemBase : public I {
public:
    explicit TItemBase(const TRawItem &r) : R(&r) { FRemark.Set(r.Remark); }
    int32_t GetNumber() override { return R->Number; }
    const TStrWRec *GetRemark() override { return FRemark.Get(); }

protected:
    const TWWLevel *Level(int i) const { return &R->Levels[size_t(i)]; }
    const TRawItem *R;

private:
    TOwnedText FRemark;
};

class TWWPassageImpl final : public TItemBase<IWWPassage> {
public:
    using TItemBase::TItemBase;
    float GetWidth() override { return R->Width; }
    const TWWLevel *GetHeight() override { return Level(LvHeight); }
    const TWWLevel *GetThresholdDepth() override { return Level(LvThresholdDepth); }
};

class TWWBridgePassageImpl final : public TItemBase<IWWBridgePassage> {
public:
    explicit TWWBridgePassageImpl(const TRawItem &r) : TItemBase(r) {
        FIsrs.Set(r.Isrs);
        // Without a passage height of its own, a fixed span is passed at its (closed)
        // height and an opening bridge at its open height (missing = unlimited).
        FPassageHeight = r.Levels[LvPassageHeight];
        if (FPassageHeight.Value >= WWMissing)
            FPassageHeight = r.BridgeType == WWBridgeTypeFixedSpan ? r.Levels[LvHeightClosed]
                                                                   : r.Levels[LvHeightOpen];
    }
    int32_t GetBridgeType() override { return R->BridgeType; }
    const TStrWRec *GetISRS() override { return FIsrs.Get(); }
    float GetWidth() override { return R->Width; }
    float GetPassageWidth() override { return R->PassageWidth < WWMissing ? R->PassageWidth : R->Width; }
    const TWWLevel *GetHeightClosed() override { return Level(LvHeightClosed); }
    const TWWLevel *GetHeightOpen() override {
        static const TWWLevel none;
        return R->BridgeType == WWBridgeTypeFixedSpan ? &none : Level(LvHeightOpen);
    }
    const TWWLevel *GetPassageHeight() override { return &FPassageHeight; }
    const TWWLevel *GetThresholdDepth() override { return Level(LvThresholdDepth); }

private:
    TOwnedText FIsrs;
    TWWLevel FPassageHeight;
};

class TWWLockChamberImpl final : public TItemBase<IWWLockChamber> {
public:
    explicit TWWLockChamberImpl(const TRawItem &r) : TItemBase(r) {
        FName.Set(r.Name);
        FIsrs.Set(r.Isrs);
    }
    const TStrWRec *GetName() override { return FName.Get(); }
    const TStrWRec *GetISRS() override { return FIsrs.Get(); }
    float GetPartialLength1() override { return R->PartialLength1; }
    float GetPartialLength2() override { return R->PartialLength2; }
    float GetChamberLength() override { return R->Length; }
    float GetWidth() override { return R->Width; }
    float GetMinGateWidth() override { return R->MinGateWidth; }
    const TWWLevel *GetHeight() override { return Level(LvHeight); }
    const TWWLevel *GetThresholdDepthDown() override { return Level(LvThresholdDown); }
    const TWWLevel *GetThresholdDepthUp() override { return Level(LvThresholdUp); }
    const TWWLevel *GetThresholdDepthBetween() override { return Level(LvThresholdBetween); }
    bool HasTideLengths() override { return R->HasTideLengths; }
    float GetLockLength() override { return R->LockLength; }
    float GetLockLengthLowTide() override {
        return R->HasTideLengths ? R->LockLengthLowTide : R->LockLength;
    }

private:
    TOwnedText FName, FIsrs;
};

class TWWBarrierPassageImpl final : public TItemBase<IWWBarrierPassage> {
public:
    using TItemBase::TItemBase;
};

class TWWShipTunnelPassageImpl final : public TItemBase<IWWShipTunnelPassage> {
public:
    using TItemBase::TItemBase;
    float GetLength() override { return R->Length; }
    float GetWidth() override { return R->Width; }
    const TWWLevel *GetDepth() override { return Level(LvDepth); }
    const TWWLevel *GetHeight() override { return Level(LvHeight); }
};

std::unique_ptr<IWWStructItem> MakeItem(int32_t kind, const TRawItem &r) {
    switch (kind) {
    case WWStructKind::Bridge: return std::make_unique<TWWBridgePassageImpl>(r);
    case WWStructKind::Lock: return std::make_unique<TWWLockChamberImpl>(r);
    case WWStructKind::NonPhysicalBarrier: return std::make_unique<TWWBarrierPassageImpl>(r);
    case WWStructKind::ShipTunnel: return std::make_unique<TWWShipTunnelPassageImpl>(r);
    default: return std::make_unique<TWWPassageImpl>(r);  // barriers and other works
    }
}

template <class T>
T *At(const std::vector<std::unique_ptr<T>> &v, int32_t index) {
    return index >= 0 && size_t(index) < v.size() ? v[size_t(index)].get() : nullptr;
}

}  // namespace

// ---- manager, operating times ----

TWWManagerImpl::TWWManagerImpl(const TRawManager &m) : FType(m.Type) {
    const QString *texts[10] = {&m.Name,        &m.Department,   &m.MailAddress, &m.MailPostalCode,
                                &m.MailPlace,   &m.VisitAddress, &m.VisitPlace,  &m.Phone,
                                &m.Fax,         &m.Website};
    for (int i = 0; i < 10; ++i) FTexts[i].Set(*texts[i]);
}

TWWDayScheduleImpl::TWWDayScheduleImpl(const TRawSchedule &s) : FWeekDays(s.WeekDays) {
    for (const auto &w : s.Windows) FWindows.push_back(std::make_unique<TWWTimeWindowImpl>(w));
}

IWWTimeWindow *TWWDayScheduleImpl::GetTimeWindow(int32_t index) { return At(FWindows, index); }

TWWOperatingPeriodImpl::TWWOperatingPeriodImpl(const TRawPeriod &p) : FDates(p.Dates) {
    FRemark.Set(p.Remark);
    for (const auto &s : p.Schedules) FSchedules.push_back(std::make_unique<TWWDayScheduleImpl>(s));
}

IWWDaySchedule *TWWOperatingPeriodImpl::GetDaySchedule(int32_t index) { return At(FSchedules, index); }

TWWSpecialDayRuleImpl::TWWSpecialDayRuleImpl(const TRawRule &r) : FRaw(&r) {
    for (const auto &d : r.Dates) FDates.push_back(std::make_unique<TWWSpecialDateImpl>(d));
}

IWWSpecialDate *TWWSpecialDayRuleImpl::GetDate(int32_t index) { return At(FDates, index); }

// ---- structure ----

TWWStructImpl::TWWStructImpl(const TRawStruct &raw, TWWSectionImpl *section, TWWManagerImpl *manager)
    : FRaw(&raw), FSection(section), FManager(manager), FWaitingTime(raw.WaitingTime) {
    FPosition = std::clamp(raw.Position, 0.0, section->GetLength());
    FName.Set(raw.Name);
    FPlace.Set(raw.Place);
    FVHF.Set(raw.VHFChannel);
    FIsrs.Set(raw.Isrs);
    FAddress.Set(raw.Address);
    FPostalCode.Set(raw.PostalCode);
    FPhone.Set(raw.Phone);
    FComplex.Set(raw.Complex);
    for (const auto &it : raw.Items) FItems.push_back(MakeItem(raw.Kind, it));
    for (const auto &p : raw.Periods) FPeriods.push_back(std::make_unique<TWWOperatingPeriodImpl>(p));
    for (const auto &r : raw.Rules) FRules.push_back(std::make_unique<TWWSpecialDayRuleImpl>(r));
}

TWWStructImpl::~TWWStructImpl() = default;

bool TWWStructImpl::HasItems() const {
    return FRaw->Kind == WWStructKind::Bridge || FRaw->Kind == WWStructKind::Lock ||
           FRaw->Kind == WWStructKind::NonPhysicalBarrier || FRaw->Kind == WWStructKind::ShipTunnel;
}

IWWStructItem *TWWStructImpl::GetItem(int32_t passageIndex) {
    return HasItems() ? At(FItems, passageIndex) : nullptr;
}

IWWPassage *TWWStructImpl::GetPassage(int32_t index) {
    return HasItems() ? nullptr : static_cast<IWWPassage *>(At(FItems, index));
}

int32_t TWWStructImpl::GetItemCount() { return HasItems() ? int32_t(FItems.size()) : 0; }

void TWWStructImpl::GetTexts(IStrW *label, IStrW *subtext) {
    SetStrW(label, FRaw->Label.isEmpty() ? FRaw->Name : FRaw->Label);
    SetStrW(subtext, FRaw->Subtext);
}

void TWWStructImpl::GetImages(IStrWList *fileNames) {
    ClearStrWList(fileNames);
    for (const QString &f : FRaw->Images) AddStrW(fileNames, f);
}

IWWSection *TWWStructImpl::GetSection() { return FSection; }

TDouble3 TWWStructImpl::GetGlobalPosition() { return FSection->GetPointAt(FPosition); }

IWWManager *TWWStructImpl::GetManager() { return FManager; }

bool TWWStructImpl::IsNormallyOpen() {
    return (FRaw->Kind == WWStructKind::Bridge || FRaw->Kind == WWStructKind::Lock) && FRaw->NormallyOpen;
}

IWWOperatingPeriod *TWWStructImpl::GetOperatingPeriod(int32_t index) { return At(FPeriods, index); }

IWWSpecialDayRule *TWWStructImpl::GetSpecialDayRule(int32_t index) { return At(FRules, index); }

}  // namespace kv::ww
