#pragma once

#include <QThread>

#include <atomic>
#include <condition_variable>
#include <mutex>

// The monitor's pacing thread. It never touches the controller or a widget:
// it waits while the last poll is still being served (`busy`), sleeps for the
// refresh period, marks the next poll as announced and emits overflow(), which
// the panel receives queued in the GUI thread. A slow poll therefore delays
// the next one instead of letting announcements pile up.
class timeCount_class : public QThread {
    Q_OBJECT
public:
    timeCount_class();
    ~timeCount_class() override;

    // Pause between two polls in milliseconds; read at the start of each sleep.
    std::atomic<int> period{100};
    // True while run() loops.
    std::atomic<bool> running{false};
    // True from the announcement of a poll until the GUI thread has served it.
    std::atomic<bool> busy{true};

    // Ends the loop, cutting short whichever wait it is in, and returns once
    // the thread has finished. The thread cannot be started again afterwards.
    void stop();

signals:
    void overflow();

protected:
    void run() override;

private:
    // Waits up to ms milliseconds; false when stop() was called.
    bool pause(int ms);

    std::mutex lock;
    std::condition_variable wake;
    bool stopping = false;  // guarded by lock
};
