#include "JpegImage.h"

#include "PixelRows_p.h"

#include "platform/core/Exceptions.h"
#include "platform/core/Stream.h"

#include <algorithm>
#include <cmath>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include <jpeglib.h>
#include <jerror.h>

namespace plat {

namespace {

// ---------------------------------------------------------------------------------------------------
// libjpeg reports fatal errors through a callback that must not return. The calls into libjpeg are made
// from small functions holding only plain data, each with its own setjmp, so the jump back never
// crosses a C++ frame with live destructors, and no C++ exception crosses libjpeg's C frames.

struct ErrorManager {
    jpeg_error_mgr Base;   // first, so that the library's pointer is ours
    jmp_buf Jump;
    int Code = 0;
    bool EndOfData = false; // the data stopped before the image was complete
    j_decompress_ptr Decoder = nullptr;
};

extern "C" void OnJpegError(j_common_ptr cinfo)
{
    auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    err->Code = cinfo->err->msg_code;
    std::longjmp(err->Jump, 1);
}

// Warnings are not printed; running out of data before the last row is remembered.
extern "C" void OnJpegMessage(j_common_ptr cinfo, int level)
{
    auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    if (level < 0) {
        cinfo->err->num_warnings++;
        if (cinfo->err->msg_code == JWRN_JPEG_EOF && err->Decoder
            && (err->Decoder->output_height == 0 || err->Decoder->output_scanline < err->Decoder->output_height))
            err->EndOfData = true;
    }
}

// Hostile progressive files can carry thousands of scans that each cost a pass over the image.
constexpr int MaxScans = 500;

extern "C" void OnJpegProgress(j_common_ptr cinfo)
{
    if (cinfo->is_decompressor) {
        auto* d = reinterpret_cast<j_decompress_ptr>(cinfo);
        if (d->input_scan_number > MaxScans) {
            cinfo->err->msg_code = JERR_BAD_PROGRESSION;
            (*cinfo->err->error_exit)(cinfo);
        }
    }
}

void InitErrors(ErrorManager& err)
{
    jpeg_std_error(&err.Base);
    err.Base.error_exit = OnJpegError;
    err.Base.emit_message = OnJpegMessage;
}

// Limits libjpeg's own working memory (whole-image coefficient buffers of progressive files).
constexpr long MaxDecoderMemory = 1L << 30;

struct DecodeJob {
    jpeg_decompress_struct Info;
    ErrorManager Errors;
    jpeg_progress_mgr Progress;
    bool Created = false;
    const uint8_t* Data = nullptr;
    size_t Size = 0;
    // Filled by the header step.
    int Width = 0, Height = 0;
    bool Grey = false;
    bool Cmyk = false;
    bool AdobeInverted = false;
    int DensityUnit = 0, XDensity = 0, YDensity = 0;
    // Given for the row step: where each output row goes.
    uint8_t* Pixels = nullptr;
    size_t Stride = 0;
    uint8_t* Scratch = nullptr; // one CMYK row when converting
};

// Returns 0, or 1 when libjpeg failed (code in Errors.Code).
int ReadJpegHeader(DecodeJob* job)
{
    InitErrors(job->Errors);
    job->Info.err = &job->Errors.Base;
    if (setjmp(job->Errors.Jump))
        return 1;
    jpeg_create_decompress(&job->Info);
    job->Created = true;
    job->Errors.Decoder = &job->Info;
    job->Info.mem->max_memory_to_use = MaxDecoderMemory;
    job->Progress.progress_monitor = OnJpegProgress;
    job->Info.progress = &job->Progress;
    jpeg_mem_src(&job->Info, job->Data, static_cast<unsigned long>(job->Size));
    jpeg_read_header(&job->Info, TRUE);
    switch (job->Info.jpeg_color_space) {
    case JCS_GRAYSCALE:
        job->Info.out_color_space = JCS_GRAYSCALE;
        job->Grey = true;
        break;
    case JCS_CMYK:
    case JCS_YCCK:
        job->Info.out_color_space = JCS_CMYK;
        job->Cmyk = true;
        job->AdobeInverted = job->Info.saw_Adobe_marker;
        break;
    default:
        job->Info.out_color_space = JCS_EXT_BGR;
        break;
    }
    jpeg_calc_output_dimensions(&job->Info);
    job->Width = static_cast<int>(job->Info.output_width);
    job->Height = static_cast<int>(job->Info.output_height);
    if (job->Info.saw_JFIF_marker) {
        job->DensityUnit = job->Info.density_unit;
        job->XDensity = job->Info.X_density;
        job->YDensity = job->Info.Y_density;
    }
    return 0;
}

// Decodes every row into job->Pixels. Returns 0, or 1 when libjpeg failed.
int ReadJpegRows(DecodeJob* job)
{
    if (setjmp(job->Errors.Jump))
        return 1;
    jpeg_start_decompress(&job->Info);
    while (job->Info.output_scanline < job->Info.output_height) {
        const JDIMENSION y = job->Info.output_scanline;
        uint8_t* row = job->Pixels + job->Stride * y;
        JSAMPROW target = job->Cmyk ? job->Scratch : row;
        if (jpeg_read_scanlines(&job->Info, &target, 1) != 1)
            break;
        if (job->Cmyk) {
            for (JDIMENSION x = 0; x < job->Info.output_width; ++x) {
                const uint8_t* s = job->Scratch + 4 * x;
                unsigned c = s[0], m = s[1], ye = s[2], k = s[3];
                if (!job->AdobeInverted) {
                    c = 255 - c; m = 255 - m; ye = 255 - ye; k = 255 - k;
                }
                row[3 * x] = static_cast<uint8_t>(ye * k / 255);
                row[3 * x + 1] = static_cast<uint8_t>(m * k / 255);
                row[3 * x + 2] = static_cast<uint8_t>(c * k / 255);
            }
        }
    }
    jpeg_finish_decompress(&job->Info);
    return 0;
}

void DestroyDecoder(DecodeJob* job)
{
    if (job->Created)
        jpeg_destroy_decompress(&job->Info);
    job->Created = false;
}

struct EncodeJob {
    jpeg_compress_struct Info;
    ErrorManager Errors;
    bool Created = false;
    const uint8_t* Pixels = nullptr;
    size_t Stride = 0;
    int Width = 0, Height = 0;
    bool Grey = false;
    int Quality = 90;
    int XDensity = 0, YDensity = 0; // dots per inch, 0 when unknown
    unsigned char* Output = nullptr; // malloc'd by libjpeg
    unsigned long OutputSize = 0;
};

int WriteJpeg(EncodeJob* job)
{
    InitErrors(job->Errors);
    job->Info.err = &job->Errors.Base;
    if (setjmp(job->Errors.Jump))
        return 1;
    jpeg_create_compress(&job->Info);
    job->Created = true;
    jpeg_mem_dest(&job->Info, &job->Output, &job->OutputSize);
    job->Info.image_width = static_cast<JDIMENSION>(job->Width);
    job->Info.image_height = static_cast<JDIMENSION>(job->Height);
    job->Info.input_components = job->Grey ? 1 : 3;
    job->Info.in_color_space = job->Grey ? JCS_GRAYSCALE : JCS_EXT_BGR;
    jpeg_set_defaults(&job->Info);
    jpeg_set_quality(&job->Info, job->Quality, TRUE);
    if (job->XDensity > 0 && job->YDensity > 0 && job->XDensity <= 65535 && job->YDensity <= 65535) {
        job->Info.density_unit = 1;
        job->Info.X_density = static_cast<UINT16>(job->XDensity);
        job->Info.Y_density = static_cast<UINT16>(job->YDensity);
    }
    jpeg_start_compress(&job->Info, TRUE);
    while (job->Info.next_scanline < job->Info.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(job->Pixels + job->Stride * job->Info.next_scanline);
        jpeg_write_scanlines(&job->Info, &row, 1);
    }
    jpeg_finish_compress(&job->Info);
    return 0;
}

void DestroyEncoder(EncodeJob* job)
{
    if (job->Created)
        jpeg_destroy_compress(&job->Info);
    job->Created = false;
    std::free(job->Output);
    job->Output = nullptr;
}

// ---------------------------------------------------------------------------------------------------

[[noreturn]] void JpegError(int code)
{
    throw EInvalidGraphic("Erreur JPEG #" + std::to_string(code));
}

// Cleans the libjpeg state up on every path out of a C++ scope.
struct DecoderGuard {
    DecodeJob* Job;
    ~DecoderGuard() { DestroyDecoder(Job); }
};
struct EncoderGuard {
    EncodeJob* Job;
    ~EncoderGuard() { DestroyEncoder(Job); }
};

uint16_t Be16(const uint8_t* p) { return static_cast<uint16_t>((p[0] << 8) | p[1]); }

// Finds the end of one JPEG stream (just past its end-of-image marker) by walking the marker segments
// and skipping entropy-coded data; 0 when the data has no end marker.
size_t FindJpegEnd(const uint8_t* d, size_t n)
{
    if (n < 4 || d[0] != 0xFF || d[1] != 0xD8)
        return 0;
    size_t p = 2;
    while (p < n) {
        if (d[p] != 0xFF) { // stray byte between segments
            ++p;
            continue;
        }
        while (p < n && d[p] == 0xFF) // fill bytes
            ++p;
        if (p >= n)
            return 0;
        const uint8_t marker = d[p++];
        if (marker == 0xD9)
            return p;
        if (marker == 0x00 || marker == 0x01 || (marker >= 0xD0 && marker <= 0xD8))
            continue;
        if (n - p < 2)
            return 0;
        const size_t length = Be16(d + p);
        if (length < 2 || length > n - p)
            return 0;
        p += length;
        if (marker == 0xDA) {
            // Entropy-coded data runs to the next marker that is not a stuffed zero or a restart.
            while (p + 1 < n) {
                if (d[p] == 0xFF && d[p + 1] != 0x00 && !(d[p + 1] >= 0xD0 && d[p + 1] <= 0xD7) && d[p + 1] != 0xFF)
                    break;
                ++p;
            }
            if (p + 1 >= n)
                return 0;
        }
    }
    return 0;
}

bool IsGreyPalette(const Bitmap& b)
{
    if (b.GetPixelFormat() != PixelFormat::Bit8)
        return false;
    const auto& pal = b.GetPalette();
    if (pal.size() != 256)
        return false;
    for (size_t i = 0; i < 256; ++i)
        if (pal[i].Red != i || pal[i].Green != i || pal[i].Blue != i)
            return false;
    return true;
}

std::vector<PaletteEntry> GreyPalette()
{
    std::vector<PaletteEntry> p(256);
    for (size_t i = 0; i < 256; ++i) {
        auto v = static_cast<uint8_t>(i);
        p[i] = PaletteEntry{v, v, v, 0};
    }
    return p;
}

int32_t PelsPerMeter(int unit, int density)
{
    if (density <= 0)
        return 0;
    if (unit == 1)
        return static_cast<int32_t>(std::lround(density / 0.0254));
    if (unit == 2)
        return density * 100;
    return 0;
}

const Bitmap& EmptyBitmap()
{
    static const Bitmap empty;
    return empty;
}

// Decodes one JPEG held in memory.
Bitmap Decode(const uint8_t* data, size_t size)
{
    DecodeJob job;
    job.Data = data;
    job.Size = size;
    DecoderGuard guard{&job};
    if (ReadJpegHeader(&job) != 0)
        JpegError(job.Errors.Code);
    if (job.Width <= 0 || job.Height <= 0)
        JpegError(JERR_EMPTY_IMAGE);
    const int64_t pixels = static_cast<int64_t>(job.Width) * job.Height;
    if (pixels > Bitmap::MaxPixels || pixels > JpegImage::MaxPixelsFor(size))
        JpegError(JERR_IMAGE_TOO_BIG);

    Bitmap bitmap(job.Width, job.Height, job.Grey ? PixelFormat::Bit8 : PixelFormat::Bit24);
    if (job.Grey)
        bitmap.SetPalette(GreyPalette());
    bitmap.SetPelsPerMeter(PelsPerMeter(job.DensityUnit, job.XDensity), PelsPerMeter(job.DensityUnit, job.YDensity));
    std::vector<uint8_t> scratch(job.Cmyk ? static_cast<size_t>(job.Width) * 4 : 0);
    job.Pixels = bitmap.ScanLine(0);
    job.Stride = static_cast<size_t>(bitmap.Stride());
    job.Scratch = scratch.data();
    if (ReadJpegRows(&job) != 0)
        JpegError(job.Errors.Code);
    if (job.Errors.EndOfData)
        throw EReadError();
    return bitmap;
}

std::vector<uint8_t> Encode(const Bitmap& source, int quality)
{
    const bool grey = IsGreyPalette(source);
    const Bitmap* pixels = &source;
    Bitmap converted;
    if (!grey && source.BitsPerPixel() != 24) {
        converted = source;
        converted.SetPixelFormat(PixelFormat::Bit24);
        pixels = &converted;
    }
    EncodeJob job;
    EncoderGuard guard{&job};
    job.Pixels = pixels->ScanLine(0);
    job.Stride = static_cast<size_t>(pixels->Stride());
    job.Width = pixels->GetWidth();
    job.Height = pixels->GetHeight();
    job.Grey = grey;
    job.Quality = quality;
    job.XDensity = static_cast<int>(std::lround(source.XPelsPerMeter() * 0.0254));
    job.YDensity = static_cast<int>(std::lround(source.YPelsPerMeter() * 0.0254));
    if (WriteJpeg(&job) != 0)
        JpegError(job.Errors.Code);
    return std::vector<uint8_t>(job.Output, job.Output + job.OutputSize);
}

} // namespace

JpegImage::JpegImage() = default;

JpegImage::JpegImage(const JpegImage& other)
    : Graphic(), m_data(other.m_data), m_bitmap(other.m_bitmap), m_quality(other.m_quality) {}

JpegImage& JpegImage::operator=(const JpegImage& other)
{
    if (this != &other) {
        m_data = other.m_data;
        m_bitmap = other.m_bitmap;
        m_quality = other.m_quality;
    }
    return *this;
}

JpegImage::~JpegImage() = default;

int64_t JpegImage::MaxPixelsFor(size_t bytes)
{
    return std::max<int64_t>(int64_t{1} << 24, static_cast<int64_t>(std::min<size_t>(bytes, size_t{1} << 40)) * 4096);
}

int JpegImage::GetWidth() const { return m_bitmap ? m_bitmap->GetWidth() : 0; }
int JpegImage::GetHeight() const { return m_bitmap ? m_bitmap->GetHeight() : 0; }
bool JpegImage::Empty() const { return !m_bitmap || m_bitmap->Empty(); }

const Bitmap& JpegImage::GetBitmap() const { return m_bitmap ? *m_bitmap : EmptyBitmap(); }

bool JpegImage::GetGrayscale() const { return m_bitmap && IsGreyPalette(*m_bitmap); }

void JpegImage::SetCompressionQuality(int quality)
{
    quality = std::clamp(quality, 1, 100);
    if (quality == m_quality)
        return;
    m_quality = quality;
}

const std::vector<uint8_t>& JpegImage::Data() const
{
    if (m_data.empty() && !Empty())
        m_data = Encode(*m_bitmap, m_quality);
    return m_data;
}

void JpegImage::SaveToStream(Stream& stream) const
{
    const std::vector<uint8_t>& data = Data();
    stream.WriteBuffer(data.data(), data.size());
}

void JpegImage::LoadFromStream(Stream& stream)
{
    const int64_t start = stream.GetPosition();
    const int64_t available = stream.Remaining();
    std::vector<uint8_t> bytes(static_cast<size_t>(available));
    stream.ReadBuffer(bytes.data(), bytes.size());
    const size_t end = FindJpegEnd(bytes.data(), bytes.size());
    if (end != 0)
        bytes.resize(end);
    auto bitmap = std::make_shared<const Bitmap>(Decode(bytes.data(), bytes.size()));
    stream.SetPosition(start + static_cast<int64_t>(bytes.size()));
    m_data = std::move(bytes);
    m_bitmap = std::move(bitmap);
    Changed();
}

void JpegImage::SetFromBitmap(const Bitmap& bitmap)
{
    m_bitmap = bitmap.Empty() ? nullptr : std::make_shared<const Bitmap>(bitmap);
    m_data.clear();
}

void JpegImage::Assign(const Persistent* source)
{
    if (!source) {
        m_bitmap.reset();
        m_data.clear();
        Changed();
        return;
    }
    if (const auto* jpeg = dynamic_cast<const JpegImage*>(source)) {
        if (jpeg != this)
            *this = *jpeg;
        Changed();
        return;
    }
    if (const auto* bitmap = dynamic_cast<const Bitmap*>(source)) {
        SetFromBitmap(*bitmap);
        Changed();
        return;
    }
    Graphic::Assign(source);
}

void JpegImage::AssignTo(Persistent* destination) const
{
    if (auto* bitmap = dynamic_cast<Bitmap*>(destination)) {
        bitmap->Assign(&GetBitmap());
        return;
    }
    Graphic::AssignTo(destination);
}

void JpegImage::Draw(Surface& surface, const Rect& dest) const
{
    if (!Empty())
        m_bitmap->Draw(surface, dest);
}

std::unique_ptr<Graphic> JpegImage::NewEmpty() const { return std::make_unique<JpegImage>(); }

} // namespace plat
