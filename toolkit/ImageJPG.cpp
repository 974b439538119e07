#include "toolkit/ImageJPG.h"

#include <csetjmp>
#include <cstdio>

// jpeglib.h needs size_t and FILE declared first.
#include <jerror.h>
#include <jpeglib.h>

namespace {

constexpr std::size_t kOutputBufferSize = 4096;

// libjpeg reports errors by calling error_exit, which must not return: the message goes to
// the image's last error and control jumps back to the encoder.
struct SJpegError {
  jpeg_error_mgr pub;
  std::jmp_buf jump;
  char* lastError;
};

void ErrorExit(j_common_ptr cinfo) {
  auto* error = reinterpret_cast<SJpegError*>(cinfo->err);
  char message[JMSG_LENGTH_MAX] = {};
  error->pub.format_message(cinfo, message);
  std::snprintf(error->lastError, 256, "%s", message);
  std::longjmp(error->jump, 1);
}

// The destination manager: libjpeg fills a 4096-byte buffer, which goes to the image file.
struct CJpegDestination {
  jpeg_destination_mgr pub;
  CImageFile* file;
  JOCTET buffer[kOutputBufferSize];
};

void InitDestination(j_compress_ptr cinfo) {
  auto* dest = reinterpret_cast<CJpegDestination*>(cinfo->dest);
  dest->pub.next_output_byte = dest->buffer;
  dest->pub.free_in_buffer = kOutputBufferSize;
}

boolean EmptyOutputBuffer(j_compress_ptr cinfo) {
  auto* dest = reinterpret_cast<CJpegDestination*>(cinfo->dest);
  if (dest->file->Write(dest->buffer, 1, kOutputBufferSize) != kOutputBufferSize)
    ERREXIT(cinfo, JERR_FILE_WRITE);
  dest->pub.next_output_byte = dest->buffer;
  dest->pub.free_in_buffer = kOutputBufferSize;
  return TRUE;
}

void TermDestination(j_compress_ptr cinfo) {
  auto* dest = reinterpret_cast<CJpegDestination*>(cinfo->dest);
  const std::size_t count = kOutputBufferSize - dest->pub.free_in_buffer;
  if (count > 0 && dest->file->Write(dest->buffer, 1, count) != count) ERREXIT(cinfo, JERR_FILE_WRITE);
  dest->file->Flush();
  if (dest->file->HasError()) ERREXIT(cinfo, JERR_FILE_WRITE);
}

struct SJpegJob {
  jpeg_compress_struct* cinfo;
  jpeg_destination_mgr* destination;
  CImageObj* image;
  bool grey;
  DWORD options;
};

// A libjpeg error jumps out of this function, so it holds plain values only.
void Compress(const SJpegJob& job) {
  jpeg_compress_struct& cinfo = *job.cinfo;
  CImageObj& image = *job.image;
  const DWORD options = job.options;
  cinfo.image_width = image.GetWidth();
  cinfo.image_height = image.GetHeight();
  cinfo.input_components = job.grey ? 1 : 3;
  // libjpeg-turbo reads the DIB's blue-green-red pixels as they are, so rows go in uncopied.
  cinfo.in_color_space = job.grey ? JCS_GRAYSCALE : JCS_EXT_BGR;
  jpeg_set_defaults(&cinfo);
  if (options & JPEG_OPTION_ARITHMETIC) cinfo.arith_code = TRUE;
  if (options & JPEG_OPTION_OPTIMIZE) cinfo.optimize_coding = TRUE;
  if (options & JPEG_OPTION_GRAYSCALE) jpeg_set_colorspace(&cinfo, JCS_GRAYSCALE);
  jpeg_set_quality(&cinfo, image.GetJpegQuality(), (options & JPEG_OPTION_BASELINE) ? TRUE : FALSE);
  if (options & JPEG_OPTION_PROGRESSIVE) jpeg_simple_progression(&cinfo);

  cinfo.comp_info[0].h_samp_factor = 2;
  cinfo.comp_info[0].v_samp_factor = 2;
  if (options & JPEG_OPTION_SUBSAMPLE_422) cinfo.comp_info[0].v_samp_factor = 1;
  if (options & JPEG_OPTION_SUBSAMPLE_444)
    cinfo.comp_info[0].h_samp_factor = cinfo.comp_info[0].v_samp_factor = 1;
  for (int c = 1; c < 3; ++c) cinfo.comp_info[c].h_samp_factor = cinfo.comp_info[c].v_samp_factor = 1;

  cinfo.density_unit = 1;
  cinfo.X_density = UINT16(image.GetDpiX());
  cinfo.Y_density = UINT16(image.GetDpiY());

  jpeg_start_compress(&cinfo, TRUE);
  const DWORD rowBytes = image.GetRowBytes();
  for (DWORD y = image.GetHeight(); y-- > 0;) {
    // Rows are fed against their order in memory, which the processor does not foresee:
    // fetching the next row while this one is coded keeps tall pictures as fast as the
    // library is on top-down rows.
    if (y > 0) {
      const BYTE* next = image.GetBits(y - 1);
      for (DWORD i = 0; i < rowBytes; i += 64) __builtin_prefetch(next + i);
    }
    JSAMPROW row = image.GetBits(y);
    jpeg_write_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_compress(&cinfo);
}

// The jump target of libjpeg's errors, in a frame of its own that the jump cannot disturb.
bool CompressProtected(SJpegError& error, const SJpegJob& job) {
  if (setjmp(error.jump)) return false;
  jpeg_create_compress(job.cinfo);
  job.cinfo->dest = job.destination;
  Compress(job);
  return true;
}

}  // namespace

BOOL CImageJPG::Encode(CImageFile* file) {
  if (CheckEncodeTarget(file)) return FALSE;
  const bool grey = GetNumColors() != 0;
  if (grey && !HasGreyPalette()) {
    SetLastError("JPEG can save only RGB or GreyScale images");
    return FALSE;
  }

  CJpegDestination dest{};
  dest.file = file;
  dest.pub.init_destination = InitDestination;
  dest.pub.empty_output_buffer = EmptyOutputBuffer;
  dest.pub.term_destination = TermDestination;
  jpeg_compress_struct cinfo{};
  SJpegError error{};
  cinfo.err = jpeg_std_error(&error.pub);
  error.pub.error_exit = ErrorExit;
  error.lastError = m_lastError;

  const SJpegJob job{&cinfo, &dest.pub, this, grey, GetFormatOptions(IMAGE_TYPE_JPEG)};
  const bool compressed = CompressProtected(error, job);
  jpeg_destroy_compress(&cinfo);
  return compressed;
}
