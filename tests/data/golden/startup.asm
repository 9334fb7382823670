; lintally: plain=3 blank=4 remed=5 remed+blank=6 blocks=3
section .text
; remark
	mov eax, 1 ; trailing

	ret
