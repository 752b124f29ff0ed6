// The demo's forum: serves GBK result pages on 127.0.0.1 until interrupted, for an hour at most.
//   fake-forum-server [results-per-page] [last-page] [minutes]
// Prints "port <n>" once it listens, so a script can build the program against it.
#include "tests/fake_forum/fake_forum_server.h"

#include <semaphore.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {

sem_t stopRequested;

extern "C" void requestStop(int) {
    sem_post(&stopRequested); // async-signal-safe
}

} // namespace

int main(int argc, char* argv[]) {
    sem_init(&stopRequested, 0, 0);
    std::signal(SIGINT, requestStop);
    std::signal(SIGTERM, requestStop);

    tieba::fakeforum::FakeForumServer server;
    server.setResultCount(argc > 1 ? std::atoi(argv[1]) : 10);
    server.setLastPage(argc > 2 ? std::atoi(argv[2]) : 12);
    std::printf("port %d\n", server.port());
    std::fflush(stdout);

    timespec deadline{};
    clock_gettime(CLOCK_REALTIME, &deadline);
    deadline.tv_sec += 60L * (argc > 3 ? std::atoi(argv[3]) : 60);
    while (sem_timedwait(&stopRequested, &deadline) != 0 && errno == EINTR) {
    }
    return 0;
}
