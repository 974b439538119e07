#pragma once
// Counts how often the settings store's file is replaced, by watching its folder for a file
// moved onto the store's name. Moves out of names are watched too: the system merges an event
// with the unread one before it when the two are alike, and each move out stands between two
// moves onto the store's name. The folder must exist when the count starts.

#include <sys/inotify.h>
#include <unistd.h>

#include <string>

#include "platform/registry/RegistryStore.h"

class CSettingsRewrites {
 public:
  CSettingsRewrites() : m_fd(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {
    const std::string file = RegStoreFilePath();
    const std::size_t slash = file.rfind('/');
    m_name = file.substr(slash + 1);
    ::inotify_add_watch(m_fd, file.substr(0, slash).c_str(), IN_MOVED_FROM | IN_MOVED_TO);
  }
  ~CSettingsRewrites() { ::close(m_fd); }
  CSettingsRewrites(const CSettingsRewrites&) = delete;
  CSettingsRewrites& operator=(const CSettingsRewrites&) = delete;

  // The replacements since the count started or was last taken; -1 when nothing could watch.
  int Take() {
    if (m_fd < 0) return -1;
    int count = 0;
    alignas(inotify_event) char buffer[4096];
    ssize_t length = 0;
    while ((length = ::read(m_fd, buffer, sizeof buffer)) > 0) {
      for (ssize_t at = 0; at < length;) {
        const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
        if ((event->mask & IN_MOVED_TO) && event->len > 0 && m_name == event->name) ++count;
        at += ssize_t(sizeof(inotify_event) + event->len);
      }
    }
    return count;
  }

 private:
  int m_fd;
  std::string m_name;
};
