// A TCP relay on the loopback interface that holds back every request turn
// of its clients by a fixed delay, as a catalogue server across a network
// would, and counts those turns (round trips).
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <mutex>
#include <thread>
#include <vector>

namespace bench {

class DelayRelay {
public:
    // Listens on 127.0.0.1 (a free port) and relays to 127.0.0.1:targetPort.
    // Throws std::runtime_error when it cannot listen.
    DelayRelay(int targetPort, std::chrono::microseconds delay);
    // Closes every connection and joins its threads.
    ~DelayRelay();
    DelayRelay(const DelayRelay&) = delete;
    DelayRelay& operator=(const DelayRelay&) = delete;

    int port() const { return port_; }
    void SetDelay(std::chrono::microseconds delay) { delayMicros_ = delay.count(); }
    // Client sends that followed an answer of the server (or opened the
    // connection): each one waited for the delay.
    std::uint64_t roundTrips() const { return roundTrips_; }

private:
    void Accept();
    void Pump(int client);

    int listen_ = -1;
    int port_ = 0;
    int targetPort_;
    int stopPipe_[2] = {-1, -1};
    std::atomic<std::int64_t> delayMicros_;
    std::atomic<std::uint64_t> roundTrips_{0};
    std::mutex mutex_;
    std::vector<std::thread> pumps_;
    std::thread acceptor_;
};

}  // namespace bench
