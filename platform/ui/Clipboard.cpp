#include "platform/ui/Clipboard.h"

#include <QByteArray>
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <QString>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <string>

#include "platform/gdi/Gdi.h"
#include "platform/gdi/ImageDc.h"
#include "platform/gdi/QtString.h"
#include "platform/ui/UiThread.h"
#include "platform/ui/Wnd.h"

namespace {

constexpr UINT kFirstRegisteredFormat = 0xC000;

struct SFormats {
  std::mutex mutex;
  std::map<CString, UINT> ids;
  std::map<UINT, QString> mimeTypes;
};

SFormats& Formats() {
  static SFormats formats;
  return formats;
}

// The open clipboard of this process: the formats set since it was opened (and emptied).
struct SOpenClipboard {
  bool open = false;
  bool emptied = false;
  std::unique_ptr<QMimeData> pending;
  CWnd* openedBy = nullptr;
};

SOpenClipboard& Session() {
  static SOpenClipboard session;
  return session;
}

// The clipboard's owner: the window that emptied it last, and the content this process placed
// for it. The owner may add formats to that content in a later opening, as on the platform,
// while nobody else has replaced it.
struct SOwnership {
  // The owner window's identity, not its address: a window made later at the address of a
  // destroyed owner is not the owner.
  std::weak_ptr<bool> owner;
  const QMimeData* placed = nullptr;

  bool IsOwner(const CWnd* window) const {
    if (!window) return false;
    const std::weak_ptr<bool> other = window->GetIdentityToken();
    return !owner.owner_before(other) && !other.owner_before(owner) && !owner.expired();
  }
};

SOwnership& Ownership() {
  static SOwnership ownership;
  return ownership;
}

std::unique_ptr<QMimeData> CopyOf(const QMimeData& source) {
  auto copy = std::make_unique<QMimeData>();
  for (const QString& format : source.formats()) copy->setData(format, source.data(format));
  // The image is kept as a picture, not as bytes of a format.
  if (source.hasImage()) copy->setImageData(source.imageData());
  return copy;
}

QString MimeType(UINT format) {
  SFormats& formats = Formats();
  std::lock_guard<std::mutex> lock(formats.mutex);
  auto it = formats.mimeTypes.find(format);
  return it == formats.mimeTypes.end() ? QString() : it->second;
}

QClipboard* SystemClipboard() {
  return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) ? QGuiApplication::clipboard()
                                                                      : nullptr;
}

template <class R, class F>
R OnUiThread(F&& call, R failure) {
  R result = failure;
  if (!RunOnUiThreadAndWait([&] { result = call(); })) return failure;
  return result;
}

}  // namespace

UINT RegisterClipboardFormat(LPCTSTR name) {
  const CString key = name ? CString(name) : CString();
  if (key.IsEmpty()) return 0;
  SFormats& formats = Formats();
  std::lock_guard<std::mutex> lock(formats.mutex);
  auto it = formats.ids.find(key);
  if (it != formats.ids.end()) return it->second;
  const UINT id = kFirstRegisteredFormat + UINT(formats.ids.size());
  formats.ids[key] = id;
  // Every copy of the program derives the same MIME type from the name.
  QString suffix = ToQString(key);
  suffix.replace(QChar(' '), QChar('_'));
  formats.mimeTypes[id] = QStringLiteral("application/x-zd-clipboard-") + suffix;
  return id;
}

BOOL OpenClipboard(CWnd* owner) {
  return OnUiThread<BOOL>(
      [owner] {
        SOpenClipboard& session = Session();
        QClipboard* clipboard = SystemClipboard();
        if (session.open || !clipboard) return FALSE;
        session = SOpenClipboard{true, false, nullptr, owner};
        const SOwnership& ownership = Ownership();
        const QMimeData* current = clipboard->mimeData();
        if (ownership.IsOwner(owner) && current && current == ownership.placed) {
          session.emptied = true;
          session.pending = CopyOf(*current);
        }
        return TRUE;
      },
      FALSE);
}

BOOL CloseClipboard() {
  return OnUiThread<BOOL>(
      [] {
        SOpenClipboard& session = Session();
        if (!session.open) return FALSE;
        QClipboard* clipboard = SystemClipboard();
        if (session.emptied && clipboard) {
          Ownership().placed = session.pending.get();
          clipboard->setMimeData(session.pending.release());
        }
        session = SOpenClipboard{};
        return TRUE;
      },
      FALSE);
}

BOOL EmptyClipboard() {
  return OnUiThread<BOOL>(
      [] {
        SOpenClipboard& session = Session();
        if (!session.open) return FALSE;
        session.emptied = true;
        session.pending = std::make_unique<QMimeData>();
        Ownership() = SOwnership{
            session.openedBy ? session.openedBy->GetIdentityToken() : std::weak_ptr<bool>(), nullptr};
        return TRUE;
      },
      FALSE);
}

namespace {

QString MimeTypeOf(UINT format) {
  return IsTextFormat(format) ? QStringLiteral("text/plain") : MimeType(format);
}

// The text of a text block, up to its first zero. The Unicode block goes straight into the
// string, since a large copy would otherwise pass through a second whole copy.
QString TextOfBlock(UINT format, const std::vector<BYTE>& block) {
  if (format != CF_UNICODETEXT) return ToQString(ReadTextBlock(format, block));
  QString text(qsizetype(block.size() / sizeof(char16_t)), Qt::Uninitialized);
  std::memcpy(text.data(), block.data(), std::size_t(text.size()) * sizeof(char16_t));
  const qsizetype end = text.indexOf(QChar(0));
  if (end >= 0) text.truncate(end);
  return text;
}

}  // namespace

BOOL SetClipboardData(UINT format, const std::vector<BYTE>& data) {
  const QString type = MimeTypeOf(format);
  if (type.isEmpty()) return FALSE;
  return OnUiThread<BOOL>(
      [&] {
        SOpenClipboard& session = Session();
        // As on the platform, only the clipboard's owner may place data on it.
        if (!session.open || !session.emptied) return FALSE;
        if (IsTextFormat(format))
          session.pending->setText(TextOfBlock(format, data));
        else
          session.pending->setData(
              type, QByteArray(reinterpret_cast<const char*>(data.data()), qsizetype(data.size())));
        return TRUE;
      },
      FALSE);
}

BOOL SetClipboardData(UINT format, HBITMAP bitmap) {
  if (format != CF_BITMAP || !bitmap) return FALSE;
  const BOOL accepted = OnUiThread<BOOL>(
      [&] {
        SOpenClipboard& session = Session();
        const QImage* image = GetBitmapImage(bitmap);
        if (!session.open || !session.emptied || !image || image->isNull()) return FALSE;
        session.pending->setImageData(image->copy());
        return TRUE;
      },
      FALSE);
  // The clipboard keeps its own copy of the picture, so the bitmap it now owns can go.
  if (accepted) DeleteObject(bitmap);
  return accepted;
}

HBITMAP GetClipboardBitmap() {
  return OnUiThread<HBITMAP>(
      [] {
        SOpenClipboard& session = Session();
        const QMimeData* mime = session.emptied ? session.pending.get() : nullptr;
        if (!mime) {
          QClipboard* clipboard = SystemClipboard();
          mime = clipboard ? clipboard->mimeData() : nullptr;
        }
        if (!mime || !mime->hasImage()) return HBITMAP(nullptr);
        const QImage image = qvariant_cast<QImage>(mime->imageData());
        return image.isNull() ? HBITMAP(nullptr)
                              : CreateBitmapFromImage(image.convertToFormat(QImage::Format_RGB32));
      },
      HBITMAP(nullptr));
}

bool GetClipboardData(UINT format, std::vector<BYTE>& data) {
  const QString type = MimeTypeOf(format);
  if (type.isEmpty()) return false;
  return OnUiThread<bool>(
      [&] {
        SOpenClipboard& session = Session();
        const QMimeData* mime = session.emptied ? session.pending.get() : nullptr;
        if (!mime) {
          QClipboard* clipboard = SystemClipboard();
          mime = clipboard ? clipboard->mimeData() : nullptr;
        }
        if (!mime || !mime->hasFormat(type)) return false;
        if (IsTextFormat(format)) {
          data = MakeTextBlock(format, FromQString(mime->text()));
          return true;
        }
        const QByteArray bytes = mime->data(type);
        data.assign(bytes.begin(), bytes.end());
        return true;
      },
      false);
}

BOOL IsClipboardFormatAvailable(UINT format) {
  std::vector<BYTE> ignored;
  return GetClipboardData(format, ignored) ? TRUE : FALSE;
}
