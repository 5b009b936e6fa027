"""Peer side of the FITS check, run by the core tests with astropy.

check PATH W H       read a file we wrote; print "ok" or what differs
write PATH W H       write uint16 data (BZERO 32768) with astropy
write-long PATH W H  the same with more than 72 header cards
"""
import sys
import warnings

import numpy as np
from astropy.io import fits


def signed_pattern(w, h):
    y, x = np.mgrid[0:h, 0:w]
    return (x * 31 + y * 1009) % 32768


def unsigned_pattern(w, h):
    y, x = np.mgrid[0:h, 0:w]
    data = ((x * 7919 + y * 104729) % 65536).astype(np.uint16)
    data[0, 0] = 0
    data[0, 1] = 65535
    return data


def check(path, w, h):
    with warnings.catch_warnings():
        warnings.simplefilter("error")
        # The writer's fixed zero trailer is longer than the block padding
        # the data need; astropy notes that and reads the data all the same.
        warnings.filterwarnings("ignore", message="Unexpected extra padding")
        with fits.open(path) as hdul:
            hdu = hdul[0]
            problems = []
            if hdu.header["BITPIX"] != 16:
                problems.append("BITPIX %r" % hdu.header["BITPIX"])
            if hdu.data.shape != (h, w):
                problems.append("shape %r" % (hdu.data.shape,))
            elif not np.array_equal(hdu.data, signed_pattern(w, h)):
                problems.append("samples differ")
    print("ok" if not problems else "; ".join(problems))


def write(path, w, h, long_header):
    hdu = fits.PrimaryHDU(unsigned_pattern(w, h))
    if long_header:
        for n in range(40):
            hdu.header.add_history("processing step %d" % n)
            hdu.header.add_comment("note %d" % n)
    hdu.writeto(path)


def main():
    mode, path, w, h = sys.argv[1], sys.argv[2], int(sys.argv[3]), int(sys.argv[4])
    if mode == "check":
        check(path, w, h)
    elif mode in ("write", "write-long"):
        write(path, w, h, mode == "write-long")
    else:
        sys.exit("unknown mode " + mode)


if __name__ == "__main__":
    main()
