object M: TTestModule
  object A: TTestWidget
    object B: TTestWidget
    end
  end
end
