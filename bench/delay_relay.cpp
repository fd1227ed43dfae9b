#include "bench/delay_relay.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <stdexcept>

namespace bench {

namespace {

sockaddr_in Loopback(int port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return address;
}

bool WriteAll(int fd, const char* data, ssize_t size) {
    while (size > 0) {
        const ssize_t n = ::send(fd, data, static_cast<std::size_t>(size), MSG_NOSIGNAL);
        if (n <= 0) return false;
        data += n;
        size -= n;
    }
    return true;
}

void NoDelay(int fd) {
    int on = 1;
    ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
}

}  // namespace

DelayRelay::DelayRelay(int targetPort, std::chrono::microseconds delay)
    : targetPort_(targetPort), delayMicros_(delay.count()) {
    if (::pipe2(stopPipe_, O_CLOEXEC) != 0) throw std::runtime_error("relay: pipe");
    listen_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address = Loopback(0);
    socklen_t length = sizeof address;
    if (listen_ < 0 || ::bind(listen_, reinterpret_cast<sockaddr*>(&address), sizeof address) ||
        ::listen(listen_, 16) ||
        ::getsockname(listen_, reinterpret_cast<sockaddr*>(&address), &length))
        throw std::runtime_error("relay: cannot listen on 127.0.0.1");
    port_ = ntohs(address.sin_port);
    acceptor_ = std::thread([this] { Accept(); });
}

DelayRelay::~DelayRelay() {
    const char stop = 1;
    if (::write(stopPipe_[1], &stop, 1) != 1) { /* the threads then end on their sockets */
    }
    acceptor_.join();
    for (std::thread& pump : pumps_) pump.join();
    ::close(listen_);
    ::close(stopPipe_[0]);
    ::close(stopPipe_[1]);
}

void DelayRelay::Accept() {
    for (;;) {
        pollfd fds[2] = {{listen_, POLLIN, 0}, {stopPipe_[0], POLLIN, 0}};
        if (::poll(fds, 2, -1) < 0) continue;
        if (fds[1].revents) return;
        const int client = ::accept4(listen_, nullptr, nullptr, SOCK_CLOEXEC);
        if (client < 0) continue;
        std::lock_guard<std::mutex> lock(mutex_);
        pumps_.emplace_back([this, client] { Pump(client); });
    }
}

void DelayRelay::Pump(int client) {
    const int server = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const sockaddr_in target = Loopback(targetPort_);
    if (server < 0 ||
        ::connect(server, reinterpret_cast<const sockaddr*>(&target), sizeof target)) {
        ::close(client);
        if (server >= 0) ::close(server);
        return;
    }
    NoDelay(client);
    NoDelay(server);
    char buffer[65536];
    bool answered = true;  // the server spoke last: the client's next send is a new turn
    for (bool open = true; open;) {
        pollfd fds[3] = {{client, POLLIN, 0}, {server, POLLIN, 0}, {stopPipe_[0], POLLIN, 0}};
        if (::poll(fds, 3, -1) < 0) continue;
        if (fds[2].revents) break;
        if (fds[0].revents) {
            const ssize_t n = ::recv(client, buffer, sizeof buffer, 0);
            if (n <= 0) break;
            if (answered) {
                ++roundTrips_;
                std::this_thread::sleep_for(std::chrono::microseconds(delayMicros_.load()));
            }
            answered = false;
            open = WriteAll(server, buffer, n);
        }
        if (open && fds[1].revents) {
            const ssize_t n = ::recv(server, buffer, sizeof buffer, 0);
            if (n <= 0) break;
            answered = true;
            open = WriteAll(client, buffer, n);
        }
    }
    ::close(client);
    ::close(server);
}

}  // namespace bench
