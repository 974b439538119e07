#include "platform/ui/MessageMap.h"

namespace {

bool InRange(const CMessageMap::Entry& entry, UINT id) { return id >= entry.idFirst && id <= entry.idLast; }

}  // namespace

template <class Match>
const CMessageMap::Entry* CMessageMap::Find(Match match) const {
  for (const CMessageMap* map = this; map; map = map->m_base) {
    for (const Entry& entry : map->m_entries) {
      if (match(entry)) return &entry;
    }
  }
  return nullptr;
}

const CMessageMap::Entry* CMessageMap::FindMessage(UINT message) const {
  return Find([message](const Entry& e) {
    if (e.kind == Kind::Message) return e.message == message;
    return e.kind == Kind::Registered && message != 0 && *e.registered == message;
  });
}

const CMessageMap::Entry* CMessageMap::FindCommand(UINT id, int code) const {
  return Find([id, code](const Entry& e) {
    // Menus send code 0 and accelerators code 1; both are plain commands.
    if (e.kind == Kind::Command) return (code == 0 || code == 1) && InRange(e, id);
    return e.kind == Kind::Control && e.code == code && InRange(e, id);
  });
}

const CMessageMap::Entry* CMessageMap::FindNotify(UINT id, int code) const {
  return Find(
      [id, code](const Entry& e) { return e.kind == Kind::Notify && e.code == code && InRange(e, id); });
}

const CMessageMap::Entry* CMessageMap::FindReflectMessage(UINT message) const {
  return Find([message](const Entry& e) { return e.kind == Kind::ReflectMessage && e.message == message; });
}

const CMessageMap::Entry* CMessageMap::FindReflectNotify(int code) const {
  return Find([code](const Entry& e) { return e.kind == Kind::ReflectNotify && e.code == code; });
}
