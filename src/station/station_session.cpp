#include "station/station_session.h"

#include <string>

namespace bv::station {

namespace {

constexpr int kBeforeDialMs = 1000;
constexpr int kMsPerSecond = 1000;

int sessionResult(PortResult opened)
{
    switch (opened) {
    case PortResult::Done:
        return kDone;
    case PortResult::AlreadyOpen:
        return kPortBusy;
    case PortResult::SettingsRefused:
        return kLineSettingsRefused;
    case PortResult::OutOfMemory:
        return kOutOfMemory;
    case PortResult::CannotOpen:
    case PortResult::NotOpen:
    case PortResult::BadValue:
    case PortResult::CloseFailed:
        break;
    }
    return kPortUnopenable;
}

// Marks an action under way for as long as it lives.
class RunningFlag {
  public:
    explicit RunningFlag(bool& flag) : flag_(flag) { flag_ = true; }
    ~RunningFlag() { flag_ = false; }
    RunningFlag(const RunningFlag&) = delete;
    RunningFlag& operator=(const RunningFlag&) = delete;

  private:
    bool& flag_;
};

} // namespace

StationSession::StationSession(PortServices ports, StationMessages messages)
    : tirrelPort_(ports), classicPort_(ports), tirrelLink_(tirrelPort_), classicLink_(classicPort_),
      messages_(std::move(messages)),
      poller_(tirrelLink_, classicLink_, conditions_, ports.clock, messages_), ports_(ports)
{
}

StationSession::~StationSession()
{
    tirrelPort_.close();
    classicPort_.close();
}

void StationSession::configure(const StationSettings& settings)
{
    settings_ = settings;
    poller_.setUnits(settings_.units);
}

void StationSession::setUnits(const units::UnitsSelection& selection)
{
    settings_.units = selection;
    poller_.setUnits(selection);
}

const StationModel* StationSession::model() const
{
    return findStationModel(settings_.modelCode);
}

ConditionsReader& StationSession::reader()
{
    const StationModel* configured = model();
    if (configured != nullptr && configured->family == StationFamily::Tirrel)
        return poller_.tirrel();
    return poller_.classic();
}

SerialPort& StationSession::port(const StationModel& model)
{
    if (model.family == StationFamily::Tirrel)
        return tirrelPort_;
    return classicPort_;
}

StationLink& StationSession::link(const StationModel& model)
{
    if (model.family == StationFamily::Tirrel)
        return tirrelLink_;
    return classicLink_;
}

int StationSession::refuse(int result)
{
    messages_.report(std::string(resultText(result)));
    return result;
}

void StationSession::dialRemoteStation(StationLink& link, const StationSettings& settings)
{
    link.port().pause(kBeforeDialMs);
    link.dialStation(settings.phone, settings.modem, messages_);
    link.port().pause(settings.afterConnectWaitSec * kMsPerSecond);
}

int StationSession::openStation(const StationModel& model, const StationSettings& settings)
{
    const PortResult opened = model.family == StationFamily::Tirrel
                                  ? tirrelPort_.open(settings.comPort, settings.baud, model.letter)
                                  : classicPort_.open(settings.comPort, settings.baud);
    if (opened != PortResult::Done)
        return refuse(sessionResult(opened));
    if (settings.viaModem)
        dialRemoteStation(link(model), settings);
    return kDone;
}

int StationSession::pollCurrentConditions()
{
    if (busy())
        return refuse(kPortBusy);
    const RunningFlag running(running_);
    const StationModel* configured = model();
    if (configured == nullptr) {
        conditions_.dataValid = false;
        return refuse(kNoStationModel);
    }
    const StationSettings settings = settings_;
    const int opened = openStation(*configured, settings);
    if (opened != kDone) {
        conditions_.dataValid = false;
        return opened;
    }
    return poller_.readCurrentConditions(*configured, settings);
}

int StationSession::close()
{
    if (running_)
        return kPortBusy;
    tirrelPort_.close();
    classicPort_.close();
    return kDone;
}

int StationSession::runOperation(const Operation& operation)
{
    if (busy())
        return refuse(kPortBusy);
    const RunningFlag running(running_);
    const StationModel* configured = model();
    if (configured == nullptr)
        return refuse(kNoStationModel);
    const int opened = openStation(*configured, StationSettings(settings_));
    if (opened != kDone)
        return opened;
    const int result = operation(link(*configured));
    port(*configured).close();
    return result;
}

int StationSession::readCurrentConditions()
{
    const StationModel* configured = model();
    if (configured == nullptr || !port(*configured).isOpen()) {
        conditions_.dataValid = false;
        return kNoAnswer;
    }
    return poller_.readCurrentConditions(*configured, settings_);
}

std::optional<DetectedStation>
StationSession::detectStation(const StationDetector::Offer& accept,
                              const StationDetector::Progress& progress)
{
    if (busy()) {
        refuse(kPortBusy);
        return std::nullopt;
    }
    const RunningFlag running(running_);
    StationDetector detector(ports_);
    detector.setProgress(progress);
    return detector.detect(accept);
}

} // namespace bv::station
