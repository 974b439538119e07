#include "toolkit/ImageJAS.h"

#include <openjpeg.h>

#include <algorithm>
#include <cmath>
#include <memory>

namespace {

// The stream operations that put OpenJPEG's output into the image file.
OPJ_SIZE_T StreamWrite(void* buffer, OPJ_SIZE_T count, void* user) {
  auto* file = static_cast<CImageFile*>(user);
  const std::size_t written = file->Write(buffer, 1, count);
  return written == count ? written : OPJ_SIZE_T(-1);
}

OPJ_OFF_T StreamSkip(OPJ_OFF_T count, void* user) {
  auto* file = static_cast<CImageFile*>(user);
  return file->Seek(std::int32_t(count), 1) ? count : -1;
}

OPJ_BOOL StreamSeek(OPJ_OFF_T position, void* user) {
  auto* file = static_cast<CImageFile*>(user);
  return file->Seek(std::int32_t(position), 0) ? OPJ_TRUE : OPJ_FALSE;
}

struct SCodecDeleter {
  void operator()(opj_codec_t* codec) const { opj_destroy_codec(codec); }
};
struct SStreamDeleter {
  void operator()(opj_stream_t* stream) const { opj_stream_destroy(stream); }
};
struct SImageDeleter {
  void operator()(opj_image_t* image) const { opj_image_destroy(image); }
};

// The rate is the coded size as a fraction of the raw size, kept to three decimals as it
// was given as text; OpenJPEG takes the inverse, and a ratio of 0 asks for lossless coding.
float CompressionRatio(float quality) {
  const double rate = std::round(quality / 100.0 * 1000.0) / 1000.0;
  if (rate >= 1.0) return 0.0f;
  if (rate <= 0.0) return 1000.0f;
  return float(1.0 / rate);
}

}  // namespace

BOOL CImageJAS::Encode(CImageFile* file) {
  if (CheckEncodeTarget(file)) return FALSE;
  const bool grey = GetNumColors() != 0;
  if (grey && !HasGreyPalette()) {
    SetLastError("JasPer can save only RGB or GrayScale images");
    return FALSE;
  }

  std::unique_ptr<opj_codec_t, SCodecDeleter> codec(opj_create_compress(OPJ_CODEC_JP2));
  if (!codec) {
    SetLastError("cannot initialize jasper");
    return FALSE;
  }
  std::unique_ptr<opj_stream_t, SStreamDeleter> stream(
      opj_stream_create(OPJ_J2K_STREAM_CHUNK_SIZE, OPJ_FALSE));
  if (!stream) {
    SetLastError("error: cannot open standard output");
    return FALSE;
  }
  opj_stream_set_user_data(stream.get(), file, nullptr);
  opj_stream_set_write_function(stream.get(), StreamWrite);
  opj_stream_set_skip_function(stream.get(), StreamSkip);
  opj_stream_set_seek_function(stream.get(), StreamSeek);

  const OPJ_UINT32 components = grey ? 1 : 3;
  const OPJ_UINT32 width = GetWidth();
  const OPJ_UINT32 height = GetHeight();
  opj_image_cmptparm_t parameters[3] = {};
  for (auto& p : parameters) {
    p.dx = p.dy = 1;
    p.w = width;
    p.h = height;
    p.prec = 8;
    p.sgnd = 0;
  }
  std::unique_ptr<opj_image_t, SImageDeleter> image(
      opj_image_create(components, parameters, grey ? OPJ_CLRSPC_GRAY : OPJ_CLRSPC_SRGB));
  if (!image) {
    SetLastError("error : jas_image_create");
    return FALSE;
  }
  image->x0 = image->y0 = 0;
  image->x1 = width;
  image->y1 = height;

  // DIB row y (0 = bottom) is picture row height - 1 - y.
  for (OPJ_UINT32 y = 0; y < height; ++y) {
    const std::size_t offset = std::size_t(height - 1 - y) * width;
    if (grey) {
      for (OPJ_UINT32 x = 0; x < width; ++x)
        image->comps[0].data[offset + x] = GetPixelIndex(long(x), long(y));
      continue;
    }
    const BYTE* pixel = GetBits(y);
    for (OPJ_UINT32 x = 0; x < width; ++x, pixel += 3) {
      image->comps[0].data[offset + x] = pixel[2];
      image->comps[1].data[offset + x] = pixel[1];
      image->comps[2].data[offset + x] = pixel[0];
    }
  }

  opj_cparameters_t coding;
  opj_set_default_encoder_parameters(&coding);
  coding.tcp_numlayers = 1;
  coding.tcp_rates[0] = CompressionRatio(m_jpegQuality);
  coding.cp_disto_alloc = 1;
  // Each resolution level halves the picture; small pictures get fewer levels instead of
  // failing.
  while (coding.numresolution > 1 && (std::min(width, height) >> (coding.numresolution - 1)) == 0)
    --coding.numresolution;
  if (!opj_setup_encoder(codec.get(), &coding, image.get()) ||
      !opj_start_compress(codec.get(), image.get(), stream.get()) || !opj_encode(codec.get(), stream.get()) ||
      !opj_end_compress(codec.get(), stream.get()) || !file->Flush()) {
    SetLastError("error: cannot encode image");
    return FALSE;
  }
  return TRUE;
}
