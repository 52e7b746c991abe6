#!/usr/bin/env python3
# Writes the seed streams of the resource fuzz targets into corpus/<target>/. Run from anywhere; needs cjpeg
# (libjpeg-turbo-progs) for the small JPEG seed.
import os, struct, subprocess, tempfile
base=os.path.join(os.path.dirname(os.path.abspath(__file__)), 'corpus')
def le(v): return struct.pack('<i', v)
def block(b): return le(len(b)) + b
def write(d, name, data):
    os.makedirs(f'{base}/{d}', exist_ok=True)
    open(f'{base}/{d}/{name}','wb').write(data)

write('fuzz_value_list', 'brush', block(b'CL=255\r\nST=0\r\n'))
write('fuzz_value_list', 'empty', le(0))
write('fuzz_value_list', 'font', block(b'CL=0\r\nST=b,u\r\nFA=12.346\r\nSZ=9\r\nCS=0\r\nFN=Liberation Sans\r\n'))
write('fuzz_value_list', 'object', block(b'\r\n\r\nID=13\r\nUI=-1\r\nXY=1000,500,3250,2000\r\nCM=13369376\r\nPF=6\r\nG=0\r\n'))
write('fuzz_value_list', 'endings', block(b'A=1\rB=-2\nC="x, y",3,4,5\r\nD=1e3'))

rows = (b'\x00\x00\xff' b'\x00\xff\x00' b'\x00\x00') + (b'\xff\x00\x00' b'\xff\xff\xff' b'\x00\x00')
info = struct.pack('<IiiHHIIiiII', 40, 2, 2, 1, 24, 0, len(rows), 2835, 2835, 0, 0)
bmp = b'BM' + struct.pack('<IHHI', 14+40+len(rows), 0, 0, 54) + info + rows
pal = b'\x00\x00\x00\x00' + b'\xff\xff\xff\x00'
info8 = struct.pack('<IiiHHIIiiII', 40, 2, 1, 1, 8, 0, 4, 0, 0, 2, 0)
bmp8 = b'BM' + struct.pack('<IHHI', 14+40+8+4, 0, 0, 62) + info8 + pal + b'\x00\x01\x00\x00'

def picture_list(items):
    out = bytearray(le(len(items)))
    for kind, data in items:
        out += bytes([kind])
        end = len(out) + 4 + len(data)
        out += le(end) + data
    return bytes(out)

ppm = b'P6\n8 8\n255\n' + b''.join(bytes([x*32 % 256, y*32 % 256, 128]) for y in range(8) for x in range(8))
ppm_path = os.path.join(tempfile.mkdtemp(), 'seed.ppm')
open(ppm_path, 'wb').write(ppm)
jpg = subprocess.run(['cjpeg','-quality','75',ppm_path],capture_output=True,check=True).stdout
rect_payload = struct.pack('<I', 4) + struct.pack('<iiii', 0, 0, 4, 4) + struct.pack('<I', 0) + struct.pack('<I', 0)
wmf = b'VMTF' + struct.pack('<HHiiI', 1, 0, 4, 4, 1) + struct.pack('<HI', 13, len(rect_payload)) + rect_payload

def lists(name, which, data): write('fuzz_resource_lists', name, bytes([which]) + data)
lists('brushes', 0, le(2) + block(b'CL=255\r\nST=0\r\n') + block(b'CL=65280\r\nST=6\r\n'))
lists('fonts', 1, le(1) + block(b'CL=0\r\nST=b,u\r\nFA=12.346\r\nSZ=9\r\nCS=0\r\nFN=Arial\r\n'))
lists('pens', 2, le(2) + block(b'CL=12632256\r\nSZ=1\r\nST=2\r\nPM=4\r\n') + block(b''))
lists('pictures-bitmap', 3, picture_list([(2, bmp)]))
lists('pictures-mixed', 3, picture_list([(2, bmp8), (7, b'unknown kind'), (0, jpg), (1, wmf)]))
lists('pictures-empty-bitmap', 3, picture_list([(2, b'')]))
lists('memos', 4, le(2) + le(1) + block(b'ligne 1\r\nligne 2') + le(0) + block(b''))
for name, text in [('margin', b'12632256,1,2,4'), ('quoted', b'"255", 3 ,"1",$E'), ('short', b'1,2,3'), ('blank', b' ')]:
    write('fuzz_pen_text', name, text)
