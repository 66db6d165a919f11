#include "station/station_detector.h"

#include <string>

#include "app/base/strings_station.h"
#include "app/base/text_pattern.h"
#include "station/classic_link.h"
#include "station/result_codes.h"
#include "station/tirrel_link.h"

namespace bv::station {

namespace {

constexpr char kTirrelE = 'E';
constexpr std::size_t kTirrelEText = 5; // the last of the "found" texts

// The model a classic read of this number names: the classic models by their
// number, and 4 for the Tirrel D, which answers without a CRC.
const StationModel* classicAnswer(int number)
{
    for (const StationModel& model : stationModels())
        if (model.detectedNumber == number && model.letter != kTirrelE)
            return &model;
    return nullptr;
}

} // namespace

std::string stationFoundText(const DetectedStation& station)
{
    const bool tirrelE = station.model->letter == kTirrelE;
    const std::string_view format =
        app::strings::kStationFound[tirrelE
                                        ? kTirrelEText
                                        : static_cast<std::size_t>(station.model->detectedNumber)];
    return app::fillPattern(format, {std::to_string(station.port), std::to_string(station.baud)});
}

StationDetector::StationDetector(PortServices services)
    : tirrelPort_(services), classicPort_(std::move(services))
{
}

int StationDetector::readModelNumber(SerialPort& port, StationLink& link)
{
    port.setTimeouts(kReadTimeoutMs, kReadTimeoutMs);
    port.pause(kSettleMs);
    std::uint32_t number = 0;
    if (link.readStation(classicModel().memory.modelNumber, number) < 0)
        return kNoAnswer;
    return static_cast<int>(number);
}

std::optional<DetectedStation> StationDetector::detect(const Offer& accept)
{
    for (int port = kFirstPort; port <= kLastPort; ++port) {
        for (int baud : kBauds) {
            if (progress_)
                progress_(port, baud);
            // Each probe leaves the port that found the station open while it
            // is offered; closing both afterwards closes whichever it was.
            const std::optional<DetectedStation> found = probe(port, baud);
            const bool chosen = found && accept(*found);
            classicPort_.close();
            tirrelPort_.close();
            if (chosen)
                return found;
        }
    }
    return std::nullopt;
}

std::optional<DetectedStation> StationDetector::probe(int port, int baud)
{
    if (classicPort_.open(port, baud) != PortResult::Done)
        return std::nullopt;
    ClassicLink classic(classicPort_);
    const int number = readModelNumber(classicPort_, classic);
    if (number != kNoAnswer) {
        if (const StationModel* model = classicAnswer(number))
            return DetectedStation{port, baud, model};
        return std::nullopt;
    }
    classicPort_.close();
    if (tirrelPort_.open(port, baud, kTirrelE) != PortResult::Done)
        return std::nullopt;
    TirrelLink tirrel(tirrelPort_);
    const StationModel& tirrelE = tirrelModel(kTirrelE);
    if (readModelNumber(tirrelPort_, tirrel) == tirrelE.detectedNumber)
        return DetectedStation{port, baud, &tirrelE};
    return std::nullopt;
}

} // namespace bv::station
