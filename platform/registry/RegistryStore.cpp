#include "platform/registry/RegistryStore.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <mutex>
#include <sstream>

namespace {

struct SKey {
  CString path;
  std::vector<SRegValue> values;
};

using Store = std::vector<SKey>;

bool SameName(const CString& a, const CString& b) {
  if (a.GetLength() != b.GetLength()) return false;
  for (int i = 0; i < a.GetLength(); ++i) {
    char16_t x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x = char16_t(x + 32);
    if (y >= 'A' && y <= 'Z') y = char16_t(y + 32);
    if (x != y) return false;
  }
  return true;
}

// "A\\B\" and "A\B" name the same key.
CString NormalizeKey(const CString& path) {
  CString key = path;
  key.Trim(u'\\');
  return key;
}

bool IsBelow(const CString& path, const CString& key) {
  if (path.GetLength() <= key.GetLength() || path[key.GetLength()] != u'\\') return false;
  return SameName(path.Left(key.GetLength()), key);
}

std::string ConfigDir() {
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  if (xdg && *xdg) return std::string(xdg) + "/ZD-Zedo";
  const char* home = std::getenv("HOME");
  return std::string(home ? home : ".") + "/.config/ZD-Zedo";
}

std::string Quote(const CString& text) {
  std::string out = "\"";
  for (char c : text.ToUtf8()) {
    switch (c) {
      case '\\':
        out += "\\\\";
        break;
      case '"':
        out += "\\\"";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          char buf[8];
          std::snprintf(buf, sizeof buf, "\\x%02x", static_cast<unsigned char>(c));
          out += buf;
        } else {
          out += c;
        }
    }
  }
  return out + "\"";
}

// Reads a quoted text starting at pos (at the opening quote); pos ends after the closing one.
bool Unquote(const std::string& line, size_t& pos, CString& text) {
  if (pos >= line.size() || line[pos] != '"') return false;
  std::string out;
  for (++pos; pos < line.size(); ++pos) {
    char c = line[pos];
    if (c == '"') {
      ++pos;
      text = CString::FromUtf8(out);
      return true;
    }
    if (c != '\\') {
      out += c;
      continue;
    }
    if (++pos >= line.size()) return false;
    switch (line[pos]) {
      case 'n':
        out += '\n';
        break;
      case 'r':
        out += '\r';
        break;
      case 't':
        out += '\t';
        break;
      case 'x':
        if (pos + 2 >= line.size()) return false;
        out += char(std::strtol(line.substr(pos + 1, 2).c_str(), nullptr, 16));
        pos += 2;
        break;
      default:
        out += line[pos];
    }
  }
  return false;
}

void ParseValue(const std::string& line, SKey& key) {
  size_t pos = 0;
  SRegValue value;
  if (!Unquote(line, pos, value.name)) return;
  if (line.compare(pos, 7, "=dword:") == 0) {
    value.isDword = true;
    value.dword = DWORD(std::strtoul(line.c_str() + pos + 7, nullptr, 16));
  } else if (line.compare(pos, 4, "=sz:") == 0) {
    pos += 4;
    if (!Unquote(line, pos, value.text)) return;
  } else {
    return;
  }
  key.values.push_back(std::move(value));
}

Store Load(const std::string& file) {
  Store store;
  std::ifstream in(file, std::ios::binary);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
      store.push_back(SKey{CString::FromUtf8(line.substr(1, line.size() - 2)), {}});
    } else if (!store.empty() && !line.empty() && line.front() == '"') {
      ParseValue(line, store.back());
    }
  }
  return store;
}

bool Save(const std::string& file, const Store& store) {
  std::ostringstream text;
  text << "; ZD-Zedo per-user settings\n";
  for (const SKey& key : store) {
    text << '[' << key.path.ToUtf8() << "]\n";
    for (const SRegValue& value : key.values) {
      text << Quote(value.name);
      if (value.isDword) {
        char buf[16];
        std::snprintf(buf, sizeof buf, "=dword:%08x", value.dword);
        text << buf;
      } else {
        text << "=sz:" << Quote(value.text);
      }
      text << '\n';
    }
  }
  const std::string data = text.str();
  const std::string temp = file + ".tmp." + std::to_string(getpid());
  int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  if (fd < 0) return false;
  size_t done = 0;
  while (done < data.size()) {
    ssize_t n = ::write(fd, data.data() + done, data.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += size_t(n);
  }
  bool ok = done == data.size() && ::fsync(fd) == 0;
  ok = ::close(fd) == 0 && ok;
  if (ok && ::rename(temp.c_str(), file.c_str()) == 0) return true;
  ::unlink(temp.c_str());
  return false;
}

bool MakeDirs(const std::string& dir) {
  for (size_t pos = 1; pos <= dir.size(); ++pos) {
    if (pos != dir.size() && dir[pos] != '/') continue;
    std::string part = dir.substr(0, pos);
    if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) return false;
  }
  struct stat st {};
  return ::stat(dir.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::mutex& ProcessLock() {
  static std::mutex lock;
  return lock;
}

// Holds the store's lock between threads and between processes for one read or change.
class CStoreLock {
 public:
  explicit CStoreLock(const std::string& dir) : m_guard(ProcessLock()) {
    m_fd = ::open((dir + "/registry.lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (m_fd >= 0) ::flock(m_fd, LOCK_EX);
  }
  ~CStoreLock() {
    if (m_fd >= 0) ::close(m_fd);  // closing releases the lock
  }
  CStoreLock(const CStoreLock&) = delete;
  CStoreLock& operator=(const CStoreLock&) = delete;

 private:
  std::lock_guard<std::mutex> m_guard;
  int m_fd = -1;
};

SKey* FindKey(Store& store, const CString& path) {
  for (SKey& key : store)
    if (SameName(key.path, path)) return &key;
  return nullptr;
}

SRegValue* FindValue(SKey* key, const CString& name) {
  if (!key) return nullptr;
  for (SRegValue& value : key->values)
    if (SameName(value.name, name)) return &value;
  return nullptr;
}

template <class F>
auto Read(F&& reader) {
  const std::string dir = ConfigDir();
  CStoreLock lock(dir);
  Store store = Load(dir + "/registry.txt");
  return reader(store);
}

// Runs a change on the store; the store file is replaced only when the change asks for it
// (returns true) and is written completely.
template <class F>
bool Change(F&& change) {
  const std::string dir = ConfigDir();
  if (!MakeDirs(dir)) return false;
  CStoreLock lock(dir);
  const std::string file = dir + "/registry.txt";
  Store store = Load(file);
  if (!change(store)) return false;
  return Save(file, store);
}

SKey& CreateKey(Store& store, const CString& path) {
  if (SKey* key = FindKey(store, path)) return *key;
  store.push_back(SKey{path, {}});
  return store.back();
}

// Replaces the value of the same name, of either type, or adds it after the others.
void PutValue(SKey& key, SRegValue value) {
  if (SRegValue* old = FindValue(&key, value.name)) {
    value.name = old->name;
    *old = std::move(value);
  } else {
    key.values.push_back(std::move(value));
  }
}

}  // namespace

std::string RegStoreFilePath() { return ConfigDir() + "/registry.txt"; }

bool RegKeyExists(const CString& keyPath) {
  const CString path = NormalizeKey(keyPath);
  return Read([&](const Store& store) {
    for (const SKey& key : store)
      if (SameName(key.path, path) || IsBelow(key.path, path)) return true;
    return false;
  });
}

bool RegCreateKey(const CString& keyPath) {
  const CString path = NormalizeKey(keyPath);
  // An existing key is only opened: the store is not written again (each write is synced).
  if (Read([&](Store& store) { return FindKey(store, path) != nullptr; })) return true;
  return Change([&](Store& store) {
    CreateKey(store, path);
    return true;
  });
}

bool RegGetString(const CString& keyPath, const CString& name, CString& value) {
  const CString path = NormalizeKey(keyPath);
  return Read([&](Store& store) {
    const SRegValue* found = FindValue(FindKey(store, path), name);
    if (!found || found->isDword) return false;
    value = found->text;
    return true;
  });
}

bool RegGetDword(const CString& keyPath, const CString& name, DWORD& value) {
  const CString path = NormalizeKey(keyPath);
  return Read([&](Store& store) {
    const SRegValue* found = FindValue(FindKey(store, path), name);
    if (!found || !found->isDword) return false;
    value = found->dword;
    return true;
  });
}

bool RegSetString(const CString& keyPath, const CString& name, const CString& value) {
  return RegSetValues(keyPath, {SRegValue::String(name, value)});
}

bool RegSetDword(const CString& keyPath, const CString& name, DWORD value) {
  return RegSetValues(keyPath, {SRegValue::Dword(name, value)});
}

bool RegSetValues(const CString& keyPath, const std::vector<SRegValue>& values) {
  const CString path = NormalizeKey(keyPath);
  return Change([&](Store& store) {
    SKey& key = CreateKey(store, path);
    for (const SRegValue& value : values) PutValue(key, value);
    return true;
  });
}

bool RegDeleteValue(const CString& keyPath, const CString& name) {
  const CString path = NormalizeKey(keyPath);
  return Change([&](Store& store) {
    SKey* key = FindKey(store, path);
    if (!key) return false;
    return std::erase_if(key->values, [&](const SRegValue& v) { return SameName(v.name, name); }) > 0;
  });
}

std::vector<CString> RegEnumValueNames(const CString& keyPath) {
  const CString path = NormalizeKey(keyPath);
  return Read([&](Store& store) {
    std::vector<CString> names;
    if (SKey* key = FindKey(store, path))
      for (const SRegValue& value : key->values) names.push_back(value.name);
    return names;
  });
}
